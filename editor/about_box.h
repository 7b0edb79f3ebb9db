#pragma once
// frmAbout: the editor's about box with its two links.
#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

namespace mapwright {

// A label that acts as a link: blue, bold, underlined, with a hand pointer.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class AboutBox : public QDialog {
  Q_OBJECT
 public:
  AboutBox(QWidget* parent, std::function<void(const std::string&)> openUrl);

  LinkLabel* lblSupport = nullptr;
  LinkLabel* lblWeb = nullptr;
  QPushButton* cmdOK = nullptr;

 private:
  std::function<void(const std::string&)> openUrl_;
};

}  // namespace mapwright
