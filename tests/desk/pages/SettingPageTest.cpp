#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QComboBox>
#include <QCoreApplication>
#include <QRect>

#include "GameWindowTest.h"
#include "f_CWSetting.h"

namespace {

class SettingPageTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    page_ = new TfrmCwSetting(main_.get());  // freed with the main window
    frmCwSetting = page_;
  }

  // The stored settings: autoUpdate, enableLargeDB, enableWizard, autoSaveFreq, timelineMode.
  std::string storedSettings() {
    const platform::DbResult row =
        onDisk("SELECT autoUpdate, enableLargeDB, enableWizard, autoSaveFreq, timelineMode FROM profile");
    std::string text;
    for (int c = 0; c < 5; ++c)
      text += (c > 0 ? " " : "") + std::to_string(row.at(0, c).asInteger());
    return text;
  }
  // Stores settings as if an older game had them, and opens the page over them. A frequency that no
  // save may hold is only ever in memory.
  void store(const char* assignments, int autoSaveInMemory = -1) {
    db().connection->executeScript(std::string("UPDATE profile SET ") + assignments + ";");
    db().readProfile();
    if (autoSaveInMemory >= 0) db().autoSaveFreq = autoSaveInMemory;
    main_->mnuSettingClick();
  }
  std::string shown() const {
    return (page_->selAutoSave->currentText() + " | " + page_->selTimeline->currentText()).toStdString();
  }

  TfrmCwSetting* page_ = nullptr;
};

TEST_F(SettingPageTest, TheMenuShowsTheStoredSettings) {
  main_->mnuSettingClick();
  EXPECT_EQ(main_->currentPage, TfrmMain::PAGE_SETTING);
  EXPECT_TRUE(page_->isVisibleTo(main_.get()));
  EXPECT_EQ(shown(), "Daily | Realtime (20 ticks per day)");
  EXPECT_FALSE(page_->chkAutoUpdate->isVisibleTo(page_));
  EXPECT_TRUE(page_->chkAutoUpdate->isChecked());
  main_->mnuHomeClick();
  EXPECT_FALSE(page_->isVisibleTo(main_.get()));
}

TEST_F(SettingPageTest, TheSettingsAreLoadedIntoThePlacedPageBeforeItShows) {
  db().connection->executeScript("UPDATE profile SET autoSaveFreq = 3;");
  db().readProfile();
  bool shownWhileLoading = true;
  QRect placedWhileLoading;
  QObject::connect(page_->selAutoSave, &QComboBox::currentIndexChanged, page_, [&] {
    shownWhileLoading = page_->isVisibleTo(main_.get());
    placedWhileLoading = page_->geometry();
  });
  main_->mnuSettingClick();
  EXPECT_FALSE(shownWhileLoading);
  EXPECT_EQ(placedWhileLoading, main_->pageGeometry());
  EXPECT_TRUE(page_->isVisibleTo(main_.get()));
  EXPECT_EQ(page_->selAutoSave->currentText(), "Monthly");
}

TEST_F(SettingPageTest, ApplyWritesWhatTheControlsShowAndKeepsTheHiddenFlags) {
  struct Case {
    const char* stored;
    std::string shown;
    int chooseTimeline;  // -1 keeps the shown one
    std::string written;
    int autoSaveInMemory = -1;
  } cases[] = {
      {"autoSaveFreq = 3", "Monthly | Realtime (20 ticks per day)", -1, "1 0 0 3 0"},
      {"autoSaveFreq = 3", "Never | Realtime (20 ticks per day)", -1, "1 0 0 0 0", 7},
      {"autoSaveFreq = 2", "Weekly | Realtime (20 ticks per day)", 1, "1 0 0 2 1"},
      {"timelineMode = 1, autoUpdate = 0, enableLargeDB = 1, enableWizard = 1",
       "Weekly | Swift (5 ticks per day)", 0, "0 1 1 2 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    store(c.stored, c.autoSaveInMemory);
    EXPECT_EQ(shown(), c.shown);
    if (c.chooseTimeline >= 0) page_->selTimeline->setCurrentIndex(c.chooseTimeline);
    page_->Button1Click();
    EXPECT_EQ(storedSettings(), c.written);
  }
  EXPECT_EQ(db().timelineMode, 0);
  EXPECT_EQ(db().autoSaveFreq, 2);
}

TEST_F(SettingPageTest, NothingIsWrittenFromControlsThatWereNotLoaded) {
  store("autoUpdate = 1, enableLargeDB = 1, enableWizard = 1, autoSaveFreq = 3, timelineMode = 1");
  const std::string stored = storedSettings();
  main_->mnuHomeClick();

  main_->isWritingData = true;
  page_->selAutoSave->setCurrentIndex(0);
  main_->mnuSettingClick();
  EXPECT_EQ(quote_->lblMsg->text(), "WRITING DATA: Please wait.");
  EXPECT_FALSE(page_->isLoaded());
  main_->isWritingData = false;

  page_->Button1Click();
  EXPECT_EQ(storedSettings(), stored) << "the first Apply loads";
  EXPECT_EQ(shown(), "Monthly | Swift (5 ticks per day)");
  EXPECT_TRUE(page_->chkLargeDB->isChecked());

  // While a tick runs Apply changes nothing.
  page_->selAutoSave->setCurrentIndex(1);
  main_->isProcessing = true;
  page_->Button1Click();
  EXPECT_EQ(quote_->lblMsg->text(), "PROCESSING: Please wait.");
  EXPECT_EQ(storedSettings(), stored);
  main_->isProcessing = false;
  page_->Button1Click();
  EXPECT_EQ(storedSettings(), "1 1 1 1 1");
}

TEST_F(SettingPageTest, AFailedApplyKeepsTheOldSettingsAndSaysSo) {
  main_->mnuSettingClick();
  db().connection->executeScript(
      "CREATE TRIGGER locked BEFORE UPDATE ON profile BEGIN SELECT RAISE(ABORT, 'locked'); END;");
  page_->selAutoSave->setCurrentIndex(3);
  page_->Button1Click();
  EXPECT_EQ(db().autoSaveFreq, 1);
  EXPECT_EQ(storedSettings(), "1 0 0 1 0");
  EXPECT_EQ(shown(), "Daily | Realtime (20 ticks per day)");
  EXPECT_EQ(popup_->lblTitle->text(), "APPLY FAILED");
}

}  // namespace
