// The feedback form: posts the player's e-mail address and comment to the makers' web service and reads
// its XML reply. No control of the running program opens it.

#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QUrl>

#include "PlainMessage.h"

class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTimer;

class TfrmFeedback : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kServicePath = "/engine/_qx6/submit.aspx";
  // Where the service lives unless QORVEX_FEEDBACK_URL names another root: a host that never resolves.
  static constexpr const char* kDefaultServiceRoot = "https://feedback.qorvex.invalid";

  explicit TfrmFeedback(QWidget* parent = nullptr);
  ~TfrmFeedback() override;

  // Scheme, host and port of the service; the path is kServicePath.
  QUrl serviceRoot;
  // A post that has not ended after this long has failed.
  int transferTimeoutMs = 15000;
  // The framework messages.
  desk::PlainMessage message;

  bool isPosting() const { return !reply_.isNull(); }

  QLabel* imgBK;
  QLineEdit* txtEmail;
  QLineEdit* txtComment;
  QPushButton* Button1;
  QPushButton* Button2;
  QNetworkAccessManager* httpObj;

 public slots:
  void Button1Click();
  // With Ctrl and Shift held: the developer branch, in a developer build only.
  void Button1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void Button2Click();
  // Closing the form abandons a running post without a word.
  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void replyFinished(QNetworkReply* reply);
  // The reply's verdict: true when the post succeeded; messages for the player go out on the way.
  bool readReply(const QByteArray& body);
  void awardFeedbackMilestone();
  // Drops a running post without a word; the form can post again.
  void abandonPost();

  QPointer<QNetworkReply> reply_;
  QTimer* timeout_;
};

extern TfrmFeedback* frmFeedback;
