// The program's application object, which the test environment runs every desk test under.

#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cstdio>
#include <stdexcept>

#include <QTest>
#include <QTimer>

#include "QorvexApplication.h"

namespace {

TEST(QorvexApplication, AnExceptionFromAHandlerIsShownAndTheProgramGoesOn) {
  auto* app = qobject_cast<desk::QorvexApplication*>(qApp);
  ASSERT_NE(app, nullptr);
  const auto previous = app->showException;
  QStringList shown;
  app->showException = [&](const QString& text) { shown << text; };

  QTimer::singleShot(0, [] { throw std::runtime_error("the handler broke"); });
  QTimer::singleShot(0, [] { throw 42; });
  bool later = false;
  QTimer::singleShot(20, [&] { later = true; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return later; }, 5000)) << "events are still served";
  app->showException = previous;
  EXPECT_EQ(shown, (QStringList{"the handler broke", ""}));
}

// The test environment starts the application with a comma locale for numbers.
TEST(QorvexApplication, NumbersAreWrittenWithAPointWhateverTheLocale) {
  locale_t comma = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t(0));
  if (comma == locale_t(0)) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
  freelocale(comma);
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 1.5);
  EXPECT_STREQ(text, "1.5");
}

}  // namespace
