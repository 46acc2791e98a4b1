// The Home page's rename, its Alt gesture and the save button with two real saves in Save/: this game's
// "Tester" and another game's "Other".

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include <QCoreApplication>
#include <QStringList>
#include <QTest>

#include "FileOps.h"
#include "GameWindowTest.h"
#include "NameMessages.h"
#include "Qorvex6class.h"
#include "TestDatabase.h"
#include "f_CWHome.h"
#include "f_Main.h"
#include "qxHost.h"

namespace {

namespace fs = std::filesystem;

class HomeRenameSavesTest : public GameWindowTest {
 protected:
  void SetUp() override {
    GameWindowTest::SetUp();
    if (HasFatalFailure()) return;
    frmMain = main_.get();
    page_ = new TfrmCwHome(main_.get());
    frmCwHome = page_;
    page_->askText = [this](const QString&, const QString&, const QString&) { return answer_; };
    page_->showMessage = [this](const QString& text) { messages_ << text; };

    main_->btnSaveClick();
    ASSERT_EQ(popupText(), "Save|Saved completed!");
    // Written by a game with a working copy of its own, then put beside this game's save.
    testsupport::TempDir otherUser;
    Qorvex6::qxNullHost host;
    Qorvex6::QorvexCore other(host, {QCoreApplication::applicationDirPath().toStdString(),
                                     otherUser.path(),
                                     {testsupport::saveCheckerProgram()}});
    ASSERT_TRUE(other.createGame(std::string("Other")));
    ASSERT_TRUE(platform::createFolder(other.saveFolder(), ec_));
    ASSERT_TRUE(other.saveGame(other.savePath("Other").string()));
    fs::copy_file(other.savePath("Other"), user_.file("Save") / "Other");
    others_ = bytes("Other");
    ASSERT_FALSE(others_.empty());
    main_->mnuHomeClick();
    QCoreApplication::processEvents();
  }
  void TearDown() override {
    GameWindowTest::TearDown();
    frmMain = nullptr;
    frmCwHome = nullptr;
  }

  std::string bytes(const std::string& name) const {
    std::string content;
    std::error_code ec;
    platform::readFile(user_.file("Save") / name, std::size_t{1} << 26, content, ec);
    return content;
  }
  std::string storedName() { return onDisk("SELECT playerName FROM profile").at(0, 0).asString(); }

  TfrmCwHome* page_ = nullptr;
  std::optional<QString> answer_ = QString("Other");
  QStringList messages_;
  std::string others_;
  std::error_code ec_;
};

TEST_F(HomeRenameSavesTest, NeitherTheRenameNorTheAltGestureTakesAnotherSavesName) {
  QTest::mouseClick(page_->lblUsername, Qt::LeftButton);
  QTest::mouseClick(page_->lblUsername, Qt::LeftButton, Qt::AltModifier);
  QCoreApplication::processEvents();

  EXPECT_EQ(messages_, (QStringList{desk::kNameTaken, desk::kNameTaken}));
  EXPECT_EQ(page_->lblUsername->text(), "Tester");
  EXPECT_STREQ(db().profile.playerName, "Tester");
  EXPECT_EQ(storedName(), "Tester");

  main_->btnSaveClick();
  EXPECT_EQ(popupText(), "Save|Save overwritten.");
  EXPECT_TRUE(bytes("Other") == others_);
  EXPECT_TRUE(fs::is_regular_file(user_.file("Save") / "Tester"));
}

TEST_F(HomeRenameSavesTest, TheSaveButtonRefusesToReplaceAnotherGamesSave) {
  ASSERT_TRUE(main_->core->createGame(std::string("Other")));  // a new game named like the other save

  main_->btnSaveClick();

  EXPECT_EQ(popupText(), "Save|Another game is saved under your name. Change your name to save this game.");
  EXPECT_TRUE(bytes("Other") == others_);
}

}  // namespace
