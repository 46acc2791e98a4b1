// A main window with a new game in a temporary user folder, and the popup and note windows it talks to.

#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QCoreApplication>
#include <QLabel>

#include "DbConnection.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

class GameWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    popup_ = std::make_unique<TfrmMsgPopup>();
    quote_ = std::make_unique<TfrmMsgQuote>();
    frmMsgPopup = popup_.get();
    frmMsgQuote = quote_.get();
    main_ = std::make_unique<TfrmMain>();
    ASSERT_TRUE(main_->core->createGame(std::string("Tester")));
    main_->resize(1280, 800);
    main_->updateClock(false, true);
  }
  void TearDown() override {
    main_.reset();  // frees its pages and dialogs with it
    frmMsgPopup = nullptr;
    frmMsgQuote = nullptr;
  }

  Qorvex6::qxSaveGame& db() { return *main_->core->database; }
  // What another connection reads from the working copy: only what was committed.
  platform::DbResult onDisk(const std::string& sql) {
    platform::DbConnection other;
    other.open(main_->core->workingCopyPath(), testsupport::kPassword);
    return other.query(sql);
  }
  // The popup's title and text.
  std::string popupText() const {
    return (popup_->lblTitle->text() + "|" + popup_->lblMsg->text()).toStdString();
  }

  testsupport::TempDir user_;
  ScopedEnv userEnv_{"QORVEX_USER_DIR", QByteArray::fromStdString(user_.path().string())};
  ScopedEnv resourceEnv_{"QORVEX_RESOURCE_DIR", QCoreApplication::applicationDirPath().toUtf8()};
  std::unique_ptr<TfrmMsgPopup> popup_;
  std::unique_ptr<TfrmMsgQuote> quote_;
  std::unique_ptr<TfrmMain> main_;
};
