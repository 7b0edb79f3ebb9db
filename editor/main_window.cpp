#include "editor/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QValidator>

#include "editor/toolbar_icons.h"
#include "platform/codepage.h"

namespace mapwright {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Packs store their texts in Windows-1252, each on one line; the boxes take only what the file
// can hold, so nothing typed turns into '?' on saving and no pasted line break splits the
// header.
class Cp1252Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    if (input.contains(QChar('\r')) || input.contains(QChar('\n'))) return Invalid;
    const std::string utf8 = input.toStdString();
    return platform::Cp1252ToUtf8(platform::Utf8ToCp1252(utf8)) == utf8 ? Acceptable : Invalid;
  }
};

unsigned ButtonBit(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::NoButton: return kNoButton;
    default: return kMiddleButton;
  }
}

unsigned ButtonMask(Qt::MouseButtons buttons) {
  unsigned mask = 0;
  if (buttons & Qt::LeftButton) mask |= kLeftButton;
  if (buttons & Qt::RightButton) mask |= kRightButton;
  if (buttons & ~(Qt::LeftButton | Qt::RightButton)) mask |= kMiddleButton;
  return mask;
}

QString MenuText(const std::string& caption) { return Q(caption).replace("&", "&&"); }

}  // namespace

QFont EditorFont(double pointSize, bool bold) {
  static const char* const kFamilies[] = {"Trebuchet MS", "Open Sans", "DejaVu Sans"};
  QString family = "Sans Serif";
  const QStringList installed = QFontDatabase::families();
  for (const char* f : kFamilies) {
    if (installed.contains(f, Qt::CaseInsensitive)) {
      family = f;
      break;
    }
  }
  QFont font(family);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

// ---------------------------------------------------------------------------------------------

CanvasWidget::CanvasWidget(LevelEditor& editor, QWidget* parent)
    : QFrame(parent), editor_(editor) {
  setObjectName("pctDisplay");
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(Canvas::kBorder);
  setMouseTracking(true);
  setFixedSize(Canvas::kControlSize, Canvas::kControlSize);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

QPoint CanvasWidget::AreaPoint(const QPointF& p) const {
  return p.toPoint() - contentsRect().topLeft();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.drawImage(contentsRect().topLeft(), editor_.canvas().backBuffer());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint p = AreaPoint(event->position());
  const unsigned b = ButtonBit(event->button());
  editor_.MouseDown(static_cast<MouseButton>(b == kLeftButton || b == kRightButton ? b : kMiddleButton),
                    p.x(), p.y());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = AreaPoint(event->position());
  editor_.MouseMove(ButtonMask(event->buttons()), p.x(), p.y());
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  const unsigned b = ButtonBit(event->button());
  editor_.MouseUp(static_cast<MouseButton>(b == kLeftButton || b == kRightButton ? b : kMiddleButton));
}

void CanvasWidget::leaveEvent(QEvent* event) {
  editor_.PointerLeft();
  QFrame::leaveEvent(event);
}

void SelectingLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // After the click that gave the focus has placed the cursor.
  QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

// ---------------------------------------------------------------------------------------------

MainWindow::MainWindow(const std::string& appFolder, EditorUi& ui)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      editor_(appFolder, ui, this) {
  setObjectName("frmMain");
  setWindowTitle(kEditorTitle);
  setWindowIcon(ProgramIcon());
  BuildMenus();
  BuildControls();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() { qApp->removeEventFilter(this); }

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  fileMenu_ = bar->addMenu("&File");
  mnuFileNew = fileMenu_->addAction("&New", QKeySequence("Ctrl+N"), this, [this] { editor_.New(); });
  mnuFileOpen = fileMenu_->addAction("&Open...", QKeySequence("Ctrl+O"), this, [this] { editor_.Open(); });
  mnuFileClose = fileMenu_->addAction("&Close", this, [this] { editor_.New(); });
  fileMenu_->addSeparator();
  mnuFileSave = fileMenu_->addAction("&Save", QKeySequence("Ctrl+S"), this, [this] { editor_.Save(); });
  mnuFileSaveAs = fileMenu_->addAction("&Save As...", this, [this] { editor_.SaveAs(); });
  mnuFilePublishLevelPack =
      fileMenu_->addAction("&Publish Level Pack Online", this, [this] { editor_.Publish(); });
  fileMenu_->addSeparator();
  mnuFileDelete = fileMenu_->addAction("&Delete", this, [this] { editor_.DeletePackFile(); });
  mnuFileSep3 = fileMenu_->addSeparator();
  mnuFileSep3->setVisible(false);
  recentAnchor_ = fileMenu_->addSeparator();  // mnuFileSep4
  mnuFileExit = fileMenu_->addAction("E&xit", this, [this] { close(); });

  QMenu* edit = bar->addMenu("&Edit");
  mnuEditUnDo = edit->addAction("&Undo", QKeySequence("Ctrl+Z"), this, [this] { editor_.UndoLast(); });
  edit->addSeparator();
  mnuEditAddLevels = edit->addAction("&Add Levels From File...", QKeySequence("Ctrl+A"), this,
                                     [this] { editor_.AddLevelsFromFile(); });
  edit->addSeparator();
  mnuEditBlind = edit->addAction("&Color Blind mode", this, [this] { editor_.ToggleBlindMode(); });
  mnuEditBlind->setCheckable(true);

  QMenu* level = bar->addMenu("&Level");
  mnuLevelInsert = level->addAction("&Insert New Level", QKeySequence("Ctrl+I"), this,
                                    [this] { editor_.InsertNewLevel(); });
  mnuLevelRemove = level->addAction("&Remove Level", QKeySequence("Ctrl+D"), this,
                                    [this] { editor_.RemoveLevelCommand(); });
  mnuLevelMoveUp = level->addAction("Move &Up", QKeySequence("Ctrl+J"), this,
                                    [this] { editor_.MoveLevelUp(); });
  mnuLevelMoveDown = level->addAction("Move &Down", QKeySequence("Ctrl+M"), this,
                                      [this] { editor_.MoveLevelDown(); });
  level->addSeparator();
  mnuLevelShowSolution = level->addAction("Show &Solution", QKeySequence(Qt::Key_F6), this,
                                          [this] { editor_.ShowSolution(); });
  mnuLevelTestPlay = level->addAction("&Test Play", QKeySequence(Qt::Key_F5), this,
                                      [this] { editor_.TestPlay(); });

  QMenu* help = bar->addMenu("&Help");
  mnuHelpAbout = help->addAction("Ab&out", this, [this] { ShowAbout(); });

  // The checkable action follows the document, not its own click.
  mnuEditBlind->setChecked(false);
  SyncRecentMenu();
}

void MainWindow::BuildControls() {
  auto* area = new QWidget(this);
  area->setFixedSize(654, 537);
  setCentralWidget(area);
  const QFont text = EditorFont(8.25, false);

  Toolbar = new QToolBar(area);
  Toolbar->setObjectName("Toolbar");
  Toolbar->setGeometry(0, 0, 654, 39);
  Toolbar->setIconSize(QSize(31, 31));
  Toolbar->setMovable(false);
  Toolbar->setFloatable(false);
  Toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
  // Sixteen 31-pixel pictures and four separators fit the window's width only with slim
  // buttons.
  Toolbar->setStyleSheet(
      "QToolBar { spacing: 2px; padding: 1px 2px; border: none; }"
      "QToolButton { padding: 1px; margin: 0px; }");
  auto* group = new QActionGroup(Toolbar);
  group->setExclusive(true);
  toolActions.assign(16, nullptr);
  for (int tag : kToolbarTags) {
    if (tag < 0) {
      Toolbar->addSeparator();
      continue;
    }
    QAction* action = Toolbar->addAction(QString());
    action->setCheckable(true);
    action->setData(tag);
    action->setObjectName(QString("tool%1").arg(tag));
    group->addAction(action);
    toolActions[static_cast<std::size_t>(tag)] = action;
    connect(action, &QAction::triggered, this, [this, tag] { editor_.ChooseTool(tag); });
    if (QWidget* button = Toolbar->widgetForAction(action)) button->setFixedSize(35, 35);
  }

  auto* line1 = new QFrame(area);
  line1->setObjectName("Line1");
  line1->setGeometry(0, 40, 654, 1);
  line1->setAutoFillBackground(true);
  QPalette shadow = line1->palette();
  shadow.setColor(QPalette::Window, palette().color(QPalette::Mid));
  line1->setPalette(shadow);

  pctDisplay = new CanvasWidget(editor_, area);
  pctDisplay->move(6, 46);

  auto label = [&](const char* caption, int x, int y, int w, int h, double size) {
    auto* l = new QLabel(caption, area);
    l->setFont(EditorFont(size, true));
    l->setGeometry(x, y, w, h);
    return l;
  };
  label("Level pack name:", 502, 46, 153, 17, 8.25)->setObjectName("lblCollectionName");
  label("Author name:", 502, 92, 161, 17, 9)->setObjectName("lblAuthorName");
  label("Comment:", 502, 138, 161, 17, 9)->setObjectName("lblComment");

  auto box = [&](QLineEdit* edit, const char* name, int y, std::string EditorControls::*field) {
    edit->setObjectName(name);
    edit->setFont(text);
    edit->setGeometry(500, y, 153, 24);
    edit->setValidator(new Cp1252Validator(edit));
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& t) { editor_.controls().*field = t.toStdString(); });
  };
  txtCollectionName = new SelectingLineEdit(area);
  box(txtCollectionName, "txtCollectionName", 64, &EditorControls::nameBox);
  txtCollectionName->setText(kNewPackName);
  txtAuthorName = new SelectingLineEdit(area);
  box(txtAuthorName, "txtAuthorName", 110, &EditorControls::authorBox);
  txtComment = new QLineEdit(area);
  box(txtComment, "txtComment", 158, &EditorControls::commentBox);

  lstLevel = new QListWidget(area);
  lstLevel->setObjectName("lstLevel");
  lstLevel->setFont(text);
  lstLevel->setGeometry(500, 198, 153, 212);
  connect(lstLevel, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!syncing_ && row >= 0) editor_.SelectEntry(row);
  });

  auto button = [&](const char* caption, const char* tip, const char* name, int y) {
    auto* b = new QPushButton(caption, area);
    b->setObjectName(name);
    b->setFont(text);
    b->setToolTip(tip);
    b->setGeometry(500, y, 153, 25);
    return b;
  };
  cmdInsertMap = button("&Insert New Level", "Insert new map into your level pack", "cmdInsertMap", 416);
  cmdDeleteMap = button("&Remove Level", "Delete current map", "cmdDeleteMap", 446);
  cmdMoveUp = button("Move Level &Up", "Move up with current map", "cmdMoveUp", 476);
  cmdMoveDown = button("Move Level &Down", "Move down with current map", "cmdMoveDown", 506);
  connect(cmdInsertMap, &QPushButton::clicked, this, [this] { editor_.InsertNewLevel(); });
  connect(cmdDeleteMap, &QPushButton::clicked, this, [this] { editor_.RemoveLevelCommand(); });
  connect(cmdMoveUp, &QPushButton::clicked, this, [this] { editor_.MoveLevelUp(); });
  connect(cmdMoveDown, &QPushButton::clicked, this, [this] { editor_.MoveLevelDown(); });

  // The verdict line sits under the canvas, in a status bar of its own below the described
  // controls, which keep their places.
  lblVerdict = new QLabel(this);
  lblVerdict->setObjectName("lblVerdict");
  lblVerdict->setFont(EditorFont(9, true));
  lblVerdict->setContentsMargins(6, 0, 0, 0);
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(lblVerdict, 1);

  // Fixed single border: the window keeps its size.
  adjustSize();
  setFixedSize(sizeHint());
}

bool MainWindow::StartUp() {
  if (!editor_.StartUp()) return false;
  BuildToolbarIcons();
  ControlsChanged();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->availableGeometry();
    move(r.center() - QPoint(width() / 2, height() / 2));
  }
  return true;
}

void MainWindow::BuildToolbarIcons() {
  // The colour-blind icons follow the mode as it was read at start-up.
  const bool blind = editor_.blindMode();
  for (int tag = 0; tag < 16; ++tag) {
    const QImage icon = ToolIcon(kToolCharacters[tag], blind, editor_.canvas(), editor_.appFolder());
    toolActions[static_cast<std::size_t>(tag)]->setIcon(QIcon(QPixmap::fromImage(icon)));
  }
}

void MainWindow::RefreshCanvas() {
  if (pctDisplay != nullptr) pctDisplay->update();
}

void MainWindow::SyncRecentMenu() {
  const RecentMenu& menu = editor_.controls().recent;
  while (mnuFileRecent.size() < menu.entries.size()) {
    const int index = static_cast<int>(mnuFileRecent.size());
    auto* action = new QAction(fileMenu_);
    action->setObjectName(QString("mnuFileRecent%1").arg(index));
    fileMenu_->insertAction(recentAnchor_, action);
    connect(action, &QAction::triggered, this, [this, index] { editor_.OpenRecent(index); });
    mnuFileRecent.push_back(action);
  }
  while (mnuFileRecent.size() > menu.entries.size() && mnuFileRecent.size() > 1) {
    delete mnuFileRecent.back();
    mnuFileRecent.pop_back();
  }
  for (std::size_t i = 0; i < mnuFileRecent.size(); ++i) {
    const RecentEntry& entry = menu.entries[i];
    mnuFileRecent[i]->setText(MenuText(entry.caption));
    mnuFileRecent[i]->setVisible(entry.visible);
    mnuFileRecent[i]->setEnabled(entry.enabled);
  }
  mnuFileSep3->setVisible(menu.separatorVisible);
}

void MainWindow::ControlsChanged() {
  const EditorControls& c = editor_.controls();
  syncing_ = true;
  setWindowTitle(Q(c.caption));
  if (txtCollectionName->text() != Q(c.nameBox)) txtCollectionName->setText(Q(c.nameBox));
  if (txtAuthorName->text() != Q(c.authorBox)) txtAuthorName->setText(Q(c.authorBox));
  if (txtComment->text() != Q(c.commentBox)) txtComment->setText(Q(c.commentBox));

  while (lstLevel->count() > static_cast<int>(c.levelEntries.size()))
    delete lstLevel->takeItem(lstLevel->count() - 1);
  for (std::size_t i = 0; i < c.levelEntries.size(); ++i) {
    const QString label = Q(c.levelEntries[i] + (i < c.levelVerdicts.size() ? c.levelVerdicts[i] : ""));
    if (static_cast<int>(i) < lstLevel->count()) {
      QListWidgetItem* item = lstLevel->item(static_cast<int>(i));
      if (item->text() != label) item->setText(label);
    } else {
      lstLevel->addItem(label);
    }
  }
  if (lstLevel->currentRow() != c.selected) lstLevel->setCurrentRow(c.selected);

  cmdDeleteMap->setEnabled(c.removeButtonEnabled);
  cmdMoveUp->setEnabled(c.moveUpEnabled);
  mnuLevelMoveUp->setEnabled(c.moveUpEnabled);
  cmdMoveDown->setEnabled(c.moveDownEnabled);
  mnuLevelMoveDown->setEnabled(c.moveDownEnabled);
  mnuEditUnDo->setEnabled(c.undoEnabled);
  mnuFileDelete->setEnabled(c.deleteMenuEnabled);
  mnuEditBlind->setChecked(c.blindChecked);
  if (c.pressedTool >= 0 && c.pressedTool < 16) {
    QAction* tool = toolActions[static_cast<std::size_t>(c.pressedTool)];
    if (!tool->isChecked()) tool->setChecked(true);
  }
  SyncRecentMenu();
  SyncVerdicts();
  syncing_ = false;
}

void MainWindow::SyncVerdicts() {
  const EditorControls& c = editor_.controls();
  lblVerdict->setText(Q(c.statusText));
  for (int i = 0; i < lstLevel->count() && i < static_cast<int>(c.levelEntries.size()); ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const QString label = Q(c.levelEntries[k] + (k < c.levelVerdicts.size() ? c.levelVerdicts[k] : ""));
    if (lstLevel->item(i)->text() != label) lstLevel->item(i)->setText(label);
  }
}

void MainWindow::VerdictsChanged() {
  const bool was = syncing_;
  syncing_ = true;
  SyncVerdicts();
  syncing_ = was;
}

void MainWindow::FocusMoveButton(bool up) { (up ? cmdMoveUp : cmdMoveDown)->setFocus(); }

void MainWindow::ShowAbout() {
  if (about_ == nullptr) {
    about_ = new AboutBox(this, [this](const std::string& url) { editor_.OpenLink(url); });
    about_->setAttribute(Qt::WA_DeleteOnClose);
  }
  about_->setWindowModality(Qt::ApplicationModal);
  about_->open();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect r = screen->availableGeometry();
    about_->move(r.center() - QPoint(about_->width() / 2, about_->height() / 2));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  // A close request that arrives while a save or load lets the window through would end the
  // pack under the running loop; the window stays, and the user closes it once it is done.
  if (editor_.pumping()) {
    event->ignore();
    return;
  }
  if (!editor_.Exit()) {
    event->ignore();
    return;
  }
  closing_ = true;
  if (about_ != nullptr) about_->close();
  event->accept();
}

bool MainWindow::InThisWindow(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget != nullptr && widget->window() == this;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window sees keys before its controls: Esc anywhere runs Exit, and the menu shortcuts
  // win over the text boxes' own Ctrl keys.
  // While a solution is shown, any key or click only ends it. A press on the canvas goes on to
  // the canvas, which ends it and keeps the stroke out.
  if (editor_.showingSolution() && InThisWindow(watched)) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
      if (event->type() == QEvent::KeyPress) editor_.StopSolution();
      event->accept();
      return true;
    }
    if (event->type() == QEvent::MouseButtonPress && watched != pctDisplay) {
      editor_.StopSolution();
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && InThisWindow(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    // The key counts, not the modifiers held with it.
    if (key->key() == Qt::Key_Escape) {
      close();
      return true;
    }
  }
  if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) != nullptr &&
      InThisWindow(watched)) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::ControlModifier) {
      switch (key->key()) {
        case Qt::Key_N: case Qt::Key_O: case Qt::Key_S: case Qt::Key_Z: case Qt::Key_A:
        case Qt::Key_I: case Qt::Key_D: case Qt::Key_J: case Qt::Key_M:
          return true;  // not accepted: the menu's shortcut runs
        default: break;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace mapwright
