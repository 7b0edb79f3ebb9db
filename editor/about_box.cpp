#include "editor/about_box.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPushButton>

#include "editor/level_editor.h"
#include "editor/main_window.h"
#include "editor/toolbar_icons.h"

namespace mapwright {

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  QFont f = font();
  f.setBold(true);
  f.setUnderline(true);
  setFont(f);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(pal);
  setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
  QLabel::mouseReleaseEvent(event);
}

AboutBox::AboutBox(QWidget* parent, std::function<void(const std::string&)> openUrl)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      openUrl_(std::move(openUrl)) {
  setObjectName("frmAbout");
  setWindowTitle(kEditorTitle);
  setFixedSize(382, 219);
  setFont(EditorFont(8.25, false));

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(32, 32));
  icon->setGeometry(12, 12, 32, 32);

  auto* title = new QLabel(kEditorTitle, this);
  title->setFont(EditorFont(15.75, true));
  title->setGeometry(56, 10, 320, 30);

  auto* rights = new QLabel("Copyright \u00A9 2026 The Frostlide developers. All rights reserved.",
                            this);
  rights->setGeometry(56, 44, 320, 17);
  auto* credits = new QLabel("Made by the Frostlide team: code, art, sound and levels.",
                             this);
  credits->setGeometry(56, 62, 320, 17);
  auto* disclaimer = new QLabel(
      "Mapwright comes as it is, without warranty. Support is given by e-mail as time allows; "
      "all rights not granted are reserved.",
      this);
  disclaimer->setWordWrap(true);
  disclaimer->setGeometry(56, 82, 316, 34);

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(8, 122, 366, 4);

  auto* supportCaption = new QLabel("Free tech support:", this);
  supportCaption->setGeometry(12, 134, 110, 17);
  lblSupport = new LinkLabel(kSupportAddress, this);
  lblSupport->setObjectName("lblSupport");
  lblSupport->setGeometry(124, 134, 250, 17);

  auto* webCaption = new QLabel("Official website:", this);
  webCaption->setGeometry(12, 154, 110, 17);
  lblWeb = new LinkLabel(kWebsiteUrl, this);
  lblWeb->setObjectName("lblWeb");
  lblWeb->setGeometry(124, 154, 250, 17);

  cmdOK = new QPushButton("&Close", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setGeometry(286, 184, 88, 26);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(lblSupport, &LinkLabel::clicked, this,
          [this] { openUrl_(std::string("mailto:") + kSupportAddress); });
  connect(lblWeb, &LinkLabel::clicked, this, [this] { openUrl_(kWebsiteUrl); });
}

}  // namespace mapwright
