#include "f_Feedback.h"

#include <exception>
#include <mutex>

#include <QHttpMultiPart>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QTimer>
#include <QXmlStreamReader>

#include "JpegLoader.h"
#include "SkinList.h"
#include "SkinWidgets.h"
#include "f_Main.h"

TfrmFeedback* frmFeedback = nullptr;

namespace {

constexpr int kFeedbackMilestone = 15;
constexpr int kServerTextLimit = 255;
const QString kSendCaption = "Send Feedback";
const QString kSendingCaption = "[Sending]...";

QHttpPart textPart(const char* name, const QString& value) {
  QHttpPart part;
  part.setHeader(QNetworkRequest::ContentDispositionHeader, QString("form-data; name=\"%1\"").arg(name));
  part.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain; charset=utf-8");
  part.setBody(value.toUtf8());
  return part;
}

// Text from the server as it may be shown: cut short, and a button caption's '&' kept literal.
QString serverText(const QString& text) {
  return text.left(kServerTextLimit);
}

}  // namespace

TfrmFeedback::TfrmFeedback(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setWindowTitle("Qorvex");
  const QSize size = desk::skinSize("frmFeedback_imgBK");
  setFixedSize(size);
  imgBK = new QLabel(this);
  imgBK->setGeometry(0, 0, size.width(), size.height());
  const QImage background = desk::skin("frmFeedback_imgBK");
  if (!background.isNull()) imgBK->setPixmap(QPixmap::fromImage(background));

  const auto edit = [this](skins::Box box, int maxLength) {
    auto* e = new QLineEdit(this);
    e->setGeometry(desk::boxOf(box));
    e->setMaxLength(maxLength);
    e->setFrame(false);
    e->setFont(desk::windowFont(16));
    return e;
  };
  txtEmail = edit(skins::kFeedbackEmail, 29);
  txtEmail->setText("--");
  txtComment = edit(skins::kFeedbackComment, 255);

  Button1 = new QPushButton(kSendCaption, this);
  Button1->setGeometry(521, 336, 140, 32);
  Button1->setFont(desk::windowFont(15, true));
  Button1->installEventFilter(this);
  Button2 = desk::closeButton(this, {size.width() - 75 - 12, 8});

  httpObj = new QNetworkAccessManager(this);
  timeout_ = new QTimer(this);
  timeout_->setSingleShot(true);
  connect(timeout_, &QTimer::timeout, this, [this] {
    if (reply_) reply_->abort();
  });
  const QByteArray configured = qgetenv("QORVEX_FEEDBACK_URL");
  serviceRoot = QUrl(configured.isEmpty() ? QString(kDefaultServiceRoot) : QString::fromUtf8(configured));

  connect(Button1, &QPushButton::clicked, this, &TfrmFeedback::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TfrmFeedback::Button2Click);
}

TfrmFeedback::~TfrmFeedback() {
  abandonPost();
}

void TfrmFeedback::abandonPost() {
  if (!reply_) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  timeout_->stop();
  reply->disconnect(this);
  reply->abort();
  reply->deleteLater();
  Button1->setText(kSendCaption);
  Button1->setEnabled(true);
}

void TfrmFeedback::Button1Click() {
  if (isPosting()) return;
  if (txtEmail->text().size() < 5) {
    message(this, "Please indicate your e-mail address.");
    return;
  }
  if (txtComment->text().size() < 10) {
    message(this, "Please write your desired comment.");
    return;
  }
  Button1->setText(kSendingCaption);
  Button1->setEnabled(false);

  auto* body = new QHttpMultiPart(QHttpMultiPart::FormDataType);
  body->append(textPart("func", "feedback"));
  body->append(textPart("email", txtEmail->text()));
  body->append(textPart("comment", txtComment->text()));
  QNetworkRequest request(serviceRoot.resolved(QUrl(kServicePath)));
  request.setRawHeader("Accept", "text/html, */*");
  request.setMaximumRedirectsAllowed(3);
  QNetworkReply* reply = httpObj->post(request, body);
  body->setParent(reply);  // the body lives as long as the reply
  reply_ = reply;
  connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
  // A post still running when the time is up is cut off, which counts as a failure.
  timeout_->start(transferTimeoutMs);
}

void TfrmFeedback::replyFinished(QNetworkReply* reply) {
  reply->deleteLater();
  reply_ = nullptr;
  timeout_->stop();
  bool succeeded = false;
  try {
    succeeded = reply->error() == QNetworkReply::NoError && readReply(reply->readAll());
  } catch (const std::exception& e) {
    qInfo("feedback reply: %s", e.what());
  }
  if (succeeded) {
    Button1->setEnabled(false);
    awardFeedbackMilestone();
    return;
  }
  message(this, "Unexpected error occurs on submission, please try again later.");
  Button1->setText(kSendCaption);
  Button1->setEnabled(true);
}

bool TfrmFeedback::readReply(const QByteArray& body) {
  if (body == "0") {
    txtEmail->setEnabled(false);
    txtComment->setEnabled(false);
    return false;
  }
  QXmlStreamReader xml(body);
  QString error;
  QString ack;
  bool haveError = false;
  bool haveAck = false;
  if (xml.readNextStartElement()) {
    while (xml.readNextStartElement()) {
      if (xml.name() == QLatin1String("error") && !haveError) {
        error = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        haveError = true;
      } else if (xml.name() == QLatin1String("ack") && !haveAck) {
        ack = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        haveAck = true;
      } else {
        xml.skipCurrentElement();
      }
    }
  }
  // Reading on to the end finds any fault in the rest of the document.
  while (!xml.atEnd() && !xml.hasError())
    xml.readNext();
  if (xml.hasError()) return false;
  if (!ack.isEmpty() && ack != "0") Button1->setText(serverText(ack).replace('&', "&&"));
  if (!error.isEmpty() && error != "0") {
    message(this, serverText(error));
    return false;
  }
  return true;
}

void TfrmFeedback::awardFeedbackMilestone() {
  if (frmMain == nullptr || !frmMain->core) return;
  try {
    std::lock_guard lock(frmMain->gameLock());
    Qorvex6::QorvexCore& core = *frmMain->core;
    const std::vector<bool>& passed = core.database->profile.milestones.passed;
    const bool already = kFeedbackMilestone < static_cast<int>(passed.size()) && passed[kFeedbackMilestone];
    if (!already) core.awardMilestone(kFeedbackMilestone);
  } catch (const std::exception& e) {
    qInfo("feedback milestone: %s", e.what());
  }
}

void TfrmFeedback::Button1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers modifiers) {
#ifdef QORVEX_DEVELOPER
  if (!(modifiers & Qt::ControlModifier) || !(modifiers & Qt::ShiftModifier)) return;
  if (txtEmail->text() != QLatin1String(Qorvex6::DEBUG_SQL_TRIGGER)) return;
  if (frmMain == nullptr || !frmMain->core || frmMain->isProcessing) return;
  try {
    std::lock_guard lock(frmMain->gameLock());
    frmMain->core->database->debugExecSQL(Qorvex6::DEBUG_SQL_TRIGGER, txtComment->text().toStdString());
  } catch (const std::exception& e) {
    qInfo("developer statement: %s", e.what());
  }
  message(this, "SQL statement is executed!");
  done(2);
#else
  (void)modifiers;
#endif
}

void TfrmFeedback::Button2Click() {
  done(2);
}

void TfrmFeedback::done(int result) {
  abandonPost();
  QDialog::done(result);
}

bool TfrmFeedback::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Button1 && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    Button1MouseDown(mouse->button(), mouse->modifiers());
  }
  return QDialog::eventFilter(watched, event);
}
