// The Setting page: the auto-save frequency and the timeline, and three flags carried through on hidden
// check boxes, copied between the game's profile and the controls.

#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include "PageLook.h"

class TfrmMain;

class TfrmCwSetting : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmCwSetting(TfrmMain* main);
  ~TfrmCwSetting() override;

  // Places the page, loads the settings and shows it.
  void showPage();
  // The settings into the controls; refused while the tick master writes.
  void loadSettings();
  // Whether the controls hold the settings loaded since the page was last shown.
  bool isLoaded() const { return loaded_; }

  QWidget* panelBody;
  QWidget* panelPort;
  QLabel* imgIcon;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QComboBox* selAutoSave;
  QComboBox* selTimeline;
  QCheckBox* chkAutoUpdate;
  QCheckBox* chkLargeDB;
  QCheckBox* chkWizard;
  QPushButton* Button1;

 public slots:
  // Apply: the controls into the settings, the profile written; refused while a tick runs.
  void Button1Click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FormResize();
  void note(const QString& text);

  TfrmMain* main_;
  bool loaded_ = false;
  desk::PageBackground background_;
};

extern TfrmCwSetting* frmCwSetting;
