// The dormant forms shown directly: the feedback post against a loopback server, the Add Stock dialog and
// the page template.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include "GameWindowTest.h"
#include "TestDatabase.h"
#include "f_AddStock.h"
#include "f_ClientWindow.h"
#include "f_Feedback.h"
#include "f_Main.h"
#include "f_MsgPopup.h"
#include "f_MsgQuote.h"

namespace {

// An HTTP server on 127.0.0.1 that records each request and answers it with a canned reply, or not at all.
class LoopbackServer {
 public:
  LoopbackServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections;
        request.clear();
        QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
          request += socket->readAll();
          if (complete() && !silent) respond(socket);
        });
      }
    });
  }
  QUrl root() const { return QUrl(QString("http://127.0.0.1:%1").arg(server_.serverPort())); }
  void close() { server_.close(); }

  QByteArray status = "200 OK";
  QByteArray body;
  bool silent = false;
  QByteArray request;
  int connections = 0;

 private:
  bool complete() const {
    const qsizetype end = request.indexOf("\r\n\r\n");
    if (end < 0) return false;
    const QByteArray head = request.left(end).toLower();
    const qsizetype at = head.indexOf("content-length:");
    const qsizetype length =
        at < 0 ? 0 : head.mid(at + 15, head.indexOf("\r\n", at) - at - 15).trimmed().toLongLong();
    return request.size() - end - 4 >= length;
  }
  void respond(QTcpSocket* socket) {
    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/xml\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
};

// The feedback form over a main window with a new game, posting to a loopback server.
class FeedbackTest : public GameWindowTest {
 protected:
  void SetUp() override {
#if defined(__SANITIZE_THREAD__)
    // Qt Network moves the transfer to threads of its own, which the race checker cannot see into.
    GTEST_SKIP() << "Qt Network's threads are not instrumented";
#endif
    GameWindowTest::SetUp();
    if (HasFatalFailure()) return;
    frmMain = main_.get();
    form_ = std::make_unique<TfrmFeedback>();
    form_->httpObj->setProxy(QNetworkProxy::NoProxy);
    form_->serviceRoot = server_.root();
    form_->message.recorder = [this](const QString& text) { messages_.push_back(text); };
  }
  void TearDown() override {
    form_.reset();
    GameWindowTest::TearDown();
    frmMain = nullptr;
  }
  // Fills the boxes, sends and waits for the post to end.
  void send(const QString& email = "ann@example.org", const QString& comment = "A comment of some length") {
    messages_.clear();
    form_->txtEmail->setText(email);
    form_->txtComment->setText(comment);
    form_->Button1Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form_->isPosting(); }, 10000));
  }
  bool milestonePassed() {
    const auto& passed = main_->core->database->profile.milestones.passed;
    return passed.size() > 15 && passed[15];
  }
  int inboxCount() {
    return main_->core->getInbox(false).count();
  }

  LoopbackServer server_;
  std::unique_ptr<TfrmFeedback> form_;
  std::vector<QString> messages_;
};

TEST_F(FeedbackTest, ShortTextsStopBeforeAnyRequest) {
  EXPECT_EQ(form_->txtEmail->text(), "--");
  form_->txtEmail->setText("abcd");
  form_->txtComment->setText("0123456789");
  form_->Button1Click();
  form_->txtEmail->setText("abcde");
  form_->txtComment->setText("012345678");
  form_->Button1Click();
  EXPECT_EQ(messages_, (std::vector<QString>{"Please indicate your e-mail address.",
                                             "Please write your desired comment."}));
  EXPECT_FALSE(form_->isPosting());
  QTest::qWait(50);
  EXPECT_EQ(server_.connections, 0);
  EXPECT_EQ(form_->Button1->text(), "Send Feedback");
}

TEST_F(FeedbackTest, PostCarriesThePartsInOrderAsUtf8) {
  server_.body = "<r><error>0</error></r>";
  send("abcde", QString::fromUtf8("Grüße aus Zürich, 10 €"));
  const QByteArray request = server_.request;
  EXPECT_TRUE(request.startsWith("POST /engine/_qx6/submit.aspx HTTP/1.1\r\n"))
      << request.left(60).toStdString();
  EXPECT_TRUE(request.toLower().contains("\r\naccept: text/html, */*\r\n"));
  const qsizetype func = request.indexOf("name=\"func\"");
  const qsizetype email = request.indexOf("name=\"email\"");
  const qsizetype comment = request.indexOf("name=\"comment\"");
  EXPECT_TRUE(func > 0 && func < email && email < comment);
  EXPECT_TRUE(request.contains("\r\n\r\nfeedback\r\n"));
  EXPECT_TRUE(request.contains("\r\n\r\nabcde\r\n"));
  EXPECT_TRUE(request.contains(QString::fromUtf8("Grüße aus Zürich, 10 €").toUtf8()));
}

TEST_F(FeedbackTest, RepliesDecideTheOutcome) {
  const QString unexpected = "Unexpected error occurs on submission, please try again later.";
  const struct {
    const char* status;
    const char* body;
    std::vector<QString> messages;
    QString caption;
    bool sendEnabled;
  } cases[] = {
      {"200 OK", "<r><error>Bad</error><ack>Noted</ack></r>", {"Bad", unexpected}, "Send Feedback", true},
      {"200 OK", "not xml at all", {unexpected}, "Send Feedback", true},
      {"200 OK", "<r><error>0</error>", {unexpected}, "Send Feedback", true},
      {"500 Internal Server Error", "<r><error>0</error></r>", {unexpected}, "Send Feedback", true},
      {"200 OK", "<r><ack>Thanks &amp; bye</ack></r>", {}, "Thanks && bye", false},
  };
  for (const auto& c : cases) {
    server_.status = c.status;
    server_.body = c.body;
    form_->Button1->setEnabled(true);
    send();
    EXPECT_EQ(messages_, c.messages) << c.body;
    EXPECT_EQ(form_->Button1->text(), c.caption) << c.body;
    EXPECT_EQ(form_->Button1->isEnabled(), c.sendEnabled) << c.body;
  }
  EXPECT_TRUE(form_->txtEmail->isEnabled());
}

TEST_F(FeedbackTest, SuccessAwardsTheMilestoneOnceAndAZeroReplyLocksTheBoxes) {
  server_.body = "<r><error>0</error></r>";
  ASSERT_FALSE(milestonePassed());
  const int inbox = inboxCount();
  bool timerFired = false;
  QTimer::singleShot(0, [&] { timerFired = true; });
  send();
  EXPECT_TRUE(timerFired);  // the post leaves the event loop running
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(form_->Button1->isEnabled());
  EXPECT_EQ(form_->Button1->text(), "[Sending]...");
  EXPECT_TRUE(milestonePassed());
  EXPECT_EQ(inboxCount(), inbox + 1);
  form_->Button1->setEnabled(true);
  send();
  EXPECT_EQ(inboxCount(), inbox + 1);

  server_.body = "0";
  form_->Button1->setEnabled(true);
  send();
  EXPECT_EQ(messages_,
            std::vector<QString>{"Unexpected error occurs on submission, please try again later."});
  EXPECT_FALSE(form_->txtEmail->isEnabled());
  EXPECT_FALSE(form_->txtComment->isEnabled());
}

TEST_F(FeedbackTest, NoServerATimeoutAndAClosedFormFailCleanly) {
  const QString unexpected = "Unexpected error occurs on submission, please try again later.";
  // Nobody listens: the connection is refused.
  {
    LoopbackServer gone;
    form_->serviceRoot = gone.root();
    gone.close();
    QElapsedTimer clock;
    clock.start();
    send();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(messages_, std::vector<QString>{unexpected});
    EXPECT_TRUE(form_->Button1->isEnabled());
    form_->serviceRoot = server_.root();
  }

  server_.silent = true;
  form_->transferTimeoutMs = 300;
  send();
  EXPECT_EQ(messages_, std::vector<QString>{unexpected});
  EXPECT_TRUE(form_->Button1->isEnabled());

  // Closing the form while it posts drops the post without a word.
  form_->transferTimeoutMs = 15000;
  messages_.clear();
  form_->Button1Click();
  ASSERT_TRUE(form_->isPosting());
  form_->Button2Click();
  EXPECT_EQ(form_->result(), 2);
  EXPECT_FALSE(form_->isPosting());
  QTest::qWait(50);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(form_->Button1->text(), "Send Feedback");
}

#ifndef QORVEX_DEVELOPER
TEST_F(FeedbackTest, DeveloperBranchDoesNothingInThisBuild) {
  form_->txtEmail->setText(Qorvex6::DEBUG_SQL_TRIGGER);
  form_->txtComment->setText("UPDATE profile SET playerName='Changed'");
  QTest::mousePress(form_->Button1, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
  form_->Button1MouseDown(Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
  main_->core->database->readProfile();
  EXPECT_STREQ(main_->core->database->profile.playerName, "Tester");
  EXPECT_TRUE(messages_.empty());
}
#endif

TEST(AddStockTest, BadNumbersKeepTheDialogAndGoodOnesEndIt) {
  TfrmAddStock dialog;
  std::vector<QString> messages;
  dialog.message.recorder = [&](const QString& text) { messages.push_back(text); };
  dialog.setResult(-1);
  dialog.txtSymbol->setText("NEW");
  dialog.txtBalance->setText("abc");
  dialog.txtVol->setText("2.5");
  dialog.txtClose->setText("10");
  dialog.txt52High->setText("12");
  dialog.txt52Low->setText("8");
  dialog.Button1Click();
  EXPECT_EQ(messages, std::vector<QString>{"'abc' is not a valid number."});
  EXPECT_EQ(dialog.result(), -1);

  const struct {
    QLineEdit* field;
    const char* text;
  } bad[] = {{dialog.txtNumDays, "1.5"}, {dialog.txtClose, "1,5"}, {dialog.txtYield, "inf"}};
  dialog.txtBalance->setText("100");
  for (const auto& b : bad) {
    const QString good = b.field->text();
    messages.clear();
    b.field->setText(b.text);
    dialog.Button1Click();
    EXPECT_EQ(messages, std::vector<QString>{QString("'") + b.text + "' is not a valid number."});
    b.field->setText(good);
  }
  EXPECT_EQ(dialog.result(), -1);

  messages.clear();
  dialog.chkDiv->setChecked(true);
  dialog.Button1Click();
  EXPECT_EQ(messages, std::vector<QString>{"The function is not complete."});
  EXPECT_EQ(dialog.result(), 2);
}

TEST(ClientWindowTest, PanelsFollowThePageSize) {
  QWidget owner;
  TfrmClientWindow page(&owner);
  EXPECT_FALSE(page.isVisibleTo(&owner));
  const int sizes[][2] = {{800, 600}, {1366, 660}, {100, 150}};
  for (const auto& s : sizes) {
    page.resize(s[0], s[1]);
    page.FormResize();  // a hidden page gets its resize event only when shown
    EXPECT_EQ(page.panelTop->geometry().topLeft(), QPoint(3, 4));
    EXPECT_EQ(page.panelTop->width(), s[0] - 6);
    EXPECT_EQ(page.panelBody->geometry(), QRect(0, 106, s[0] - 6, std::max(0, s[1] - 106 - 80)));
  }
}

}  // namespace
