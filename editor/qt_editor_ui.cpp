#include "editor/qt_editor_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "platform/process.h"

namespace mapwright {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Answer QtEditorUi::Ask(const std::string& text, const std::string& title, MessageIcon icon,
                       Buttons buttons) {
  QMessageBox box(ToQt(icon), Q(title), Q(text), QMessageBox::NoButton, parent_);
  switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  // The pointer may be the hourglass of the command that asks.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  const int result = box.exec();
  QApplication::restoreOverrideCursor();
  switch (result) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
  }
  // Closing the box counts as the safe answer.
  return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

void QtEditorUi::Tell(const std::string& text, const std::string& title, MessageIcon icon) {
  QMessageBox box(ToQt(icon), Q(title), Q(text), QMessageBox::Ok, parent_);
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  QApplication::restoreOverrideCursor();
}

std::string QtEditorUi::OpenFileName(const std::string& title, const std::string& filter,
                                     const std::string& folder) {
  return QFileDialog::getOpenFileName(parent_, Q(title), Q(folder), Q(filter)).toStdString();
}

std::string QtEditorUi::SaveFileName(const std::string& title, const std::string& filter,
                                     const std::string& folder, const std::string& fileName) {
  // The editor asks about overwriting itself, after it has added the ending.
  const QString start = fileName.empty() ? Q(folder) : Q(folder + fileName);
  return QFileDialog::getSaveFileName(parent_, Q(title), start, Q(filter), nullptr,
                                      QFileDialog::DontConfirmOverwrite)
      .toStdString();
}

bool QtEditorUi::OpenUrl(const std::string& url) { return QDesktopServices::openUrl(QUrl(Q(url))); }

bool QtEditorUi::StartProgram(const std::string& program, const std::vector<std::string>& args) {
  return platform::StartProgram(program, args);
}

void QtEditorUi::SetBusyPointer(bool busy) {
  if (busy) {
    ++busyDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (busyDepth_ > 0) {
    --busyDepth_;
    QApplication::restoreOverrideCursor();
  }
}

void QtEditorUi::PumpPendingInput() {
  // Repaints and timers go on; input waits until the command ends, so no second command can
  // start in the middle of this one.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace mapwright
