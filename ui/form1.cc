#include "ui/form1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QIcon>
#include <QKeySequence>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QRect>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>

#include "ui/about.h"
#include "ui/form_layout.h"
#include "ui/list_gen_check_box.h"
#include "ui/completion_box.h"
#include "ui/notes_dialog.h"
#include "ui/notes_file.h"

namespace brantel {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kDesignLineHeight = 13;  // of the 8-point sans serif the places were chosen for
// A margin of 120 twips on every side, none wider above the first label.
constexpr QRect kClientTwips(0, 0, 6255, 6255);
constexpr int kBoxRightTwips = 6135;   // where the full-width controls end

// The engine's texts are the bytes of the system's own code page, which is
// also the one its file names are in.
QString ToQt(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

// Each label comes right before its box, for screen readers; its access key
// moves the focus to the box.
QLabel* AddLabel(QWidget* form, const char* name, const char* caption) {
  auto* label = new QLabel(caption, form);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QLineEdit* AddTextBox(QWidget* form, const char* name, const std::string& text) {
  auto* box = new QLineEdit(ToQt(text), form);
  box->setObjectName(name);
  box->setMaxLength(std::numeric_limits<int>::max());  // no limit of our own (default 32,767)
  return box;
}

// Text1: typed into as a text box, or one of the old folders picked from
// its list, which is made anew as it opens.
class FolderNameBox : public QComboBox {
 public:
  FolderNameBox(QWidget* parent, std::function<void()> opening) : QComboBox(parent), opening_(std::move(opening)) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // typing gives what is typed, nothing more
    lineEdit()->setMaxLength(std::numeric_limits<int>::max());
  }

  void showPopup() override {
    opening_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> opening_;
};

// What a screen reader is told of Text1: its own name (Qt's combo box gives
// its text as its name on Linux, the folder typed rather than what the box
// is for), the text as its value.
class FolderNameAccessible : public QAccessibleWidget {
 public:
  explicit FolderNameAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    const auto* box = static_cast<const QComboBox*>(widget());
    if (kind == QAccessible::Name) return box->accessibleName();
    if (kind == QAccessible::Value) return box->currentText();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* FolderNameAccessibleFor(const QString& class_name, QObject* object) {
  (void)class_name;  // the box's class is QComboBox's to Qt
  if (auto* box = dynamic_cast<FolderNameBox*>(object)) return new FolderNameAccessible(box);
  return nullptr;
}

bool IsEnter(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
         (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

QMessageBox::Icon IconOf(MessageStyle style) {
  switch (style) {
    case MessageStyle::kCritical: return QMessageBox::Critical;
    case MessageStyle::kInformation: return QMessageBox::Information;
    case MessageStyle::kWarning: return QMessageBox::Warning;
    case MessageStyle::kOkOnly: break;
  }
  return QMessageBox::NoIcon;
}

// A box sizes itself by its text alone; a short text under a long title
// would leave the title cut in the frame.
void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  const int frame_buttons = 4 * metrics.height();  // the frame's icon and buttons beside the title
  grid->addItem(new QSpacerItem(metrics.horizontalAdvance(box.windowTitle()) + frame_buttons, 0,
                                QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

// An arrow for as long as a message box is up, so that a box shown in the
// middle of Convert does not look busy; the wait cursor returns after it.
class ArrowWhileAnswering {
 public:
  ArrowWhileAnswering() : covers_(QApplication::overrideCursor() != nullptr) {
    if (covers_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowWhileAnswering() {
    if (covers_) QApplication::restoreOverrideCursor();
  }
  ArrowWhileAnswering(const ArrowWhileAnswering&) = delete;
  ArrowWhileAnswering& operator=(const ArrowWhileAnswering&) = delete;

 private:
  bool covers_;
};

}  // namespace

Form1::Form1(std::string program_folder, QWidget* parent)
    : QWidget(parent), logic_(*this, *this, std::move(program_folder)) {
  setObjectName("Form1");
  setWindowTitle(kFormCaption);
  setWindowIcon(QIcon(":/brantel-manager.png"));
  CreateControls();
  LayOut();
  AddBrowseButtons();
  FitToScreen();
  ChainFocusOrder();
  setAcceptDrops(true);
  AddAboutToContextMenu(*this);
  File1().SetChangeObserver([this] { ShowFileList(); });
  ShowFileList();
}

void Form1::CreateControls() {
  QLabel* label1 =
      AddLabel(this, "Label1", "&Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini).");
  const WindowTexts first = FirstStartTexts();
  static const bool factory_installed = (QAccessible::installFactory(FolderNameAccessibleFor), true);
  (void)factory_installed;
  text1_ = new FolderNameBox(this, [this] { logic_.Text1ListOpening(); });
  text1_->setObjectName("Text1");
  text1_->setEditText(ToQt(first.folder_name));
  text1_edit_ = text1_->lineEdit();
  text1_edit_->setObjectName("Text1");  // what is typed into Text1, by its name too
  label1->setBuddy(text1_);
  // Named by its label, not by the name typed in it; the edit part too.
  const QString folder_box_name = label1->text().remove('&');
  text1_->setAccessibleName(folder_box_name);
  text1_edit_->setAccessibleName(folder_box_name);
  QLabel* label2 = AddLabel(this, "Label2", "&Path to Mame");
  text2_ = AddTextBox(this, "Text2", first.mame_path);
  label2->setBuddy(text2_);
  QLabel* label3 = AddLabel(this, "Label3", "Mame &Exe");
  text3_ = AddTextBox(this, "Text3", first.executable);
  label3->setBuddy(text3_);

  chk_list_gen_ = new ListGenCheckBox(QString("&") + kListGenCaption, this);
  chk_list_gen_->setObjectName("chkListGen");

  // The list's label: a screen reader names the list by it. An item view
  // takes no name from a buddy, so the name is given it as well.
  file1_label_ = AddLabel(this, "File1Label", "");
  file1_view_ = new QListWidget(this);
  file1_view_->setObjectName("File1");
  file1_label_->setBuddy(file1_view_);

  command1_ = new QPushButton("&Convert", this);
  command1_->setObjectName("Command1");
  // The default button: Enter in any box presses it (eventFilter), as Enter
  // on a button presses that one.
  command1_->setAutoDefault(false);
  command1_->setDefault(true);

  // Shown only while Convert waits (Alt+C then, Convert being disabled);
  // Escape presses it too.
  cancel_ = new QPushButton("&Cancel", this);
  cancel_->setObjectName("cmdCancel");
  cancel_->setAutoDefault(false);
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] { logic_.CancelPressed(); });
  cancel_->installEventFilter(this);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] {
    if (cancel_->isVisible()) cancel_->click();
  });

  progress_label_ = AddLabel(this, "ProgressLine", "");
  progress_bar_ = new QProgressBar(this);
  progress_bar_->setObjectName("ProgressBar");
  progress_bar_->setTextVisible(false);
  progress_label_->hide();
  progress_bar_->hide();

  placed_ = {{label1, {240, 120, 5730, 195}},       {text1_, {120, 360, 6015, 285}},
             {label2, {240, 720, 990, 195}},        {text2_, {120, 960, 6015, 285}},
             {label3, {240, 1320, 750, 195}},       {text3_, {120, 1560, 6015, 285}},
             {chk_list_gen_, {120, 1920, 6015, 495}}, {file1_label_, {120, 2490, 6015, 240}},
             {file1_view_, {120, 2760, 6015, 2775}},
             {command1_, {120, 5640, 1215, 495}},   {cancel_, {1440, 5640, 1215, 495}}};

  connect(text1_, &QComboBox::editTextChanged, this, [this] { logic_.FolderTextsTouched(); });
  connect(text1_edit_, &QLineEdit::textEdited, this, [this] { logic_.FolderNameChosen(); });
  connect(text1_, &QComboBox::activated, this, [this] { logic_.FolderNameChosen(); });
  connect(text2_, &QLineEdit::textChanged, this, [this] { logic_.FolderTextsTouched(); });
  for (QWidget* box : std::initializer_list<QWidget*>{text1_, text1_edit_, text2_, text3_, chk_list_gen_, file1_view_, command1_}) {
    box->installEventFilter(this);
  }
  connect(command1_, &QPushButton::clicked, this, [this] { logic_.Command1Pressed(); });
}

// The places of the layout, scaled so that a text box holds a line of the
// system's font, the labels as wide as their text (see FitLabels).
void Form1::LayOut() {
  double scale = std::max(1.0, static_cast<double>(fontMetrics().height()) / kDesignLineHeight);
  for (const QWidget* box : std::initializer_list<const QWidget*>{text1_, text2_}) {
    scale = std::max(scale, box->sizeHint().height() * static_cast<double>(kTwipsPerPixel) / 285);
  }
  auto scaled = [scale](int twips) { return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel)); };
  std::vector<QLabel*> labels;
  int widest = 0;
  for (const Placed& item : placed_) {
    auto* label = qobject_cast<QLabel*>(item.control);
    if (label != nullptr && label != file1_label_) {
      labels.push_back(label);
      widest = std::max(widest, label->sizeHint().width());
    }
  }
  const LabelFit fit = FitLabels(scaled(240), scaled(120), scaled(kBoxRightTwips), widest);
  for (const Placed& item : placed_) {
    const QRect& twips = item.twips;
    QRect place(QPoint(scaled(twips.left()), scaled(twips.top())),
                QPoint(scaled(twips.left() + twips.width()) - 1, scaled(twips.top() + twips.height()) - 1));
    if (std::find(labels.begin(), labels.end(), item.control) != labels.end()) {
      place.setLeft(fit.label_left);
      place.setSize(item.control->sizeHint().expandedTo({0, place.height()}));
    } else if (twips.left() + twips.width() == kBoxRightTwips) {
      place.setWidth(place.width() + fit.box_growth);
    }
    if (item.control == text1_ || item.control == text2_ || item.control == text3_ || item.control == file1_label_) {
      place.setHeight(std::max(place.height(), item.control->sizeHint().height()));
    }
    item.control->setGeometry(place);
  }
  laid_out_size_ = QSize(scaled(kClientTwips.width()) + fit.box_growth, scaled(kClientTwips.height()));
}

// "Browse..." at the end of Text2 and of Text3, which give it the room.
void Form1::AddBrowseButtons() {
  browse2_ = new QPushButton("&Browse...", this);
  browse2_->setObjectName("Browse2");
  browse2_->setAccessibleName("Browse for the MAME folder");
  browse3_ = new QPushButton("Bro&wse...", this);
  browse3_->setObjectName("Browse3");
  browse3_->setAccessibleName("Browse for the MAME program");
  for (auto [box, button] : {std::pair<QWidget*, QPushButton*>{text2_, browse2_}, {text3_, browse3_}}) {
    button->setAutoDefault(false);
    button->installEventFilter(this);
    const QRect place = box->geometry();
    const int width = std::max(button->sizeHint().width(), place.width() / 5);
    button->setGeometry(place.right() + 1 - width, place.top(), width, place.height());
    box->setGeometry(place.adjusted(0, 0, -width - fontMetrics().averageCharWidth(), 0));
    button->show();
  }
  connect(browse2_, &QPushButton::clicked, this, [this] { BrowseForMameFolder(); });
  connect(browse3_, &QPushButton::clicked, this, [this] { BrowseForMameProgram(); });
  for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    int anchor = kFixed;
    if (control == browse2_ || control == browse3_) anchor = kRight;
    if (control == text1_ || control == text2_ || control == text3_ || control == chk_list_gen_ ||
        control == file1_label_) {
      anchor = kWider;
    }
    if (control == file1_view_) anchor = kWider | kTaller;
    if (control == progress_label_ || control == progress_bar_) continue;  // placed by PlaceProgressLine
    if (control == command1_ || control == cancel_) anchor = kDown;
    anchored_.push_back({control, control->geometry(), anchor});
  }
}

// Never larger than the screen's free area (a high scale on a small screen
// would put Convert below its edge): the list gives up its height first, down
// to a few lines.
void Form1::FitToScreen() {
  const int list_room = file1_view_->height() - 4 * fontMetrics().lineSpacing();
  QSize least(laid_out_size_.width(), laid_out_size_.height() - std::max(0, list_room));
  QSize size = laid_out_size_;
  if (const QScreen* shown_on = screen()) {
    const int frame = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * fontMetrics().height();
    const QSize room = shown_on->availableGeometry().size() - QSize(frame, frame);
    least = least.boundedTo(room);
    size = size.boundedTo(room);
  }
  setMinimumSize(least);
  resize(size.expandedTo(least));
}

void Form1::resizeEvent(QResizeEvent* event) {
  const int wider = width() - laid_out_size_.width(), taller = height() - laid_out_size_.height();
  for (const Anchored& item : anchored_) {
    QRect place = item.laid_out;
    if (item.anchor & kWider) place.setWidth(place.width() + wider);
    if (item.anchor & kRight) place.translate(wider, 0);
    if (item.anchor & kTaller) place.setHeight(place.height() + taller);
    if (item.anchor & kDown) place.translate(0, taller);
    item.control->setGeometry(place);
  }
  if (!file1_label_text_.isEmpty()) ShowFileListLabel(FromQt(file1_label_text_));
  PlaceProgressLine();
  QWidget::resizeEvent(event);
}

void Form1::BrowseForMameFolder() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, "Path to Mame", ToQt(logic_.MameFolder()));
  if (!folder.isEmpty()) logic_.FolderPointedAt(FromQt(QDir::toNativeSeparators(folder)));
}

void Form1::BrowseForMameProgram() {
  const QString program = QFileDialog::getOpenFileName(this, "Mame Exe", ToQt(logic_.MameFolder()));
  if (!program.isEmpty()) logic_.ProgramPointedAt(FromQt(QDir::toNativeSeparators(program)));
}

// A folder dropped from a file manager fills the texts, as Browse does.
void Form1::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() == 1 && urls[0].isLocalFile() && QFileInfo(urls[0].toLocalFile()).isDir()) {
    event->acceptProposedAction();
  }
}

void Form1::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !urls[0].isLocalFile()) return;
  logic_.FolderPointedAt(FromQt(QDir::toNativeSeparators(urls[0].toLocalFile())));
  event->acceptProposedAction();
}

// The visual order, top to bottom, each Browse right after its box; the
// folder name has the focus first. Labels take none.
void Form1::ChainFocusOrder() {
  setTabOrder(text1_, text2_);
  setTabOrder(text2_, browse2_);
  setTabOrder(browse2_, text3_);
  setTabOrder(text3_, browse3_);
  setTabOrder(browse3_, chk_list_gen_);
  setTabOrder(chk_list_gen_, file1_view_);
  setTabOrder(file1_view_, command1_);
  setTabOrder(command1_, cancel_);
  text1_->setFocus();
}

std::string Form1::Text1() const { return FromQt(text1_->currentText()); }
void Form1::SetText1(const std::string& text) { text1_->setEditText(ToQt(text)); }
std::string Form1::Text2() const { return FromQt(text2_->text()); }
void Form1::SetText2(const std::string& text) { text2_->setText(ToQt(text)); }
std::string Form1::Text3() const { return FromQt(text3_->text()); }
void Form1::SetText3(const std::string& text) { text3_->setText(ToQt(text)); }

int Form1::CheckBoxValue() const {
  switch (chk_list_gen_->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
  }
  return 0;
}

bool Form1::SetCheckBoxValue(int value) {
  switch (value) {
    case 0: chk_list_gen_->setCheckState(Qt::Unchecked); return true;
    case 1: chk_list_gen_->setCheckState(Qt::Checked); return true;
    case 2: chk_list_gen_->setCheckState(Qt::PartiallyChecked); return true;
    default: return false;
  }
}

void Form1::ShowMessageBox(const std::string& prompt, const std::string& title,
                           MessageStyle style) {
  QMessageBox box(IconOf(style), ToQt(title), ToQt(prompt), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  WidenForTitle(box);
  logic_.BeforeMessageBox();
  ArrowWhileAnswering arrow;
  box.exec();
}

void Form1::ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                      const std::string& details, MessageStyle style) {
  NotesDialog box(ToQt(title), ToQt(prompt), ToQt(details), style == MessageStyle::kWarning, this);
  box.SetSaveName(ToQt(NotesFileName(Text1())));
  logic_.BeforeMessageBox();
  ArrowWhileAnswering arrow;
  box.exec();
}

bool Form1::ShowCompletionBox(const std::string& prompt, const std::string& title, bool offer_use_in_mame) {
  CompletionBox box(ToQt(title), ToQt(prompt), offer_use_in_mame, this);
  logic_.BeforeMessageBox();
  ArrowWhileAnswering arrow;
  box.exec();
  return box.UseInMamePressed();
}

// The list gives up the room at its bottom for as long as the line shows.
void Form1::ShowProgress(const std::string& line, size_t done, size_t total) {
  const bool shown = !line.empty();
  const QString text = ToQt(line);
  if (progress_label_->text() != text) progress_label_->setText(text);
  progress_bar_->setAccessibleName(text);
  const int maximum = static_cast<int>(std::min<size_t>(total, std::numeric_limits<int>::max()));
  if (progress_bar_->maximum() != maximum) progress_bar_->setRange(0, maximum);
  if (total > 0) progress_bar_->setValue(static_cast<int>(std::min(done, total) * maximum / total));
  if (progress_label_->isVisible() != shown) {
    progress_label_->setVisible(shown);
    progress_bar_->setVisible(shown);
    PlaceProgressLine();
  }
}

void Form1::PlaceProgressLine() {
  QRect list;
  for (const Anchored& item : anchored_) {
    if (item.control == file1_view_) list = item.laid_out;
  }
  if (list.isNull()) return;  // not laid out yet
  list.setSize(list.size() + size() - laid_out_size_);
  if (!progress_label_->isVisible()) {
    file1_view_->setGeometry(list);
    return;
  }
  const int line = std::max(progress_label_->sizeHint().height(), progress_bar_->sizeHint().height());
  const int gap = fontMetrics().averageCharWidth();
  file1_view_->setGeometry(list.adjusted(0, 0, 0, -line - gap));
  const QRect strip(list.left(), list.bottom() + 1 - line, list.width(), line);
  const int label_width = std::max(progress_label_->sizeHint().width(), strip.width() / 2);
  progress_label_->setGeometry(strip.left(), strip.top(), std::min(label_width, strip.width() / 3 * 2), line);
  progress_bar_->setGeometry(progress_label_->geometry().right() + 1 + gap, strip.top(),
                             strip.right() - progress_label_->geometry().right() - gap, line);
}

void Form1::ShowFileList() {
  file1_view_->clear();
  for (const std::string& name : File1().Names()) file1_view_->addItem(ToQt(name));
}

// A path longer than the line loses its middle on the screen, not in the
// list's name.
void Form1::ShowFileListLabel(const std::string& label) {
  const QString text = ToQt(label);
  file1_label_text_ = text;
  file1_label_->setText(file1_label_->fontMetrics().elidedText(text, Qt::ElideMiddle, file1_label_->width()));
  file1_label_->setToolTip(text == file1_label_->text() ? QString() : text);
  file1_view_->setAccessibleName(text);
}

void Form1::SetCaption(const std::string& caption) { setWindowTitle(ToQt(caption)); }

// The controls disabled and a busy cursor (an arrow still, for Cancel) over
// the whole application while Convert runs; the focus comes back after.
void Form1::ShowBusy(bool busy) {
  if (busy) {
    focus_before_busy_ = focusWidget();
    QApplication::setOverrideCursor(Qt::BusyCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  for (QWidget* control :
       std::initializer_list<QWidget*>{text1_, text2_, browse2_, text3_, browse3_, chk_list_gen_, file1_view_, command1_}) {
    control->setEnabled(!busy);
  }
  if (!busy && focus_before_busy_ != nullptr) focus_before_busy_->setFocus();
}

void Form1::ShowCancel(bool shown) {
  cancel_->setVisible(shown);
  if (shown) cancel_->setFocus();
}

// Every event, user input among them: the controls are disabled, so a click
// or key acts only on Cancel, and the window manager's close request, which
// Qt counts as user input, is not held back until a modal box drops it.
void Form1::KeepAlive() { QApplication::processEvents(QEventLoop::AllEvents); }

void Form1::EndProgram() { close(); }

// The list changes only when the folders do: what is typed stays as it is.
void Form1::ShowOldFolderChoices(const std::vector<std::string>& names) {
  QStringList choices;
  for (const std::string& name : names) choices << ToQt(name);
  QStringList shown;
  for (int index = 0; index < text1_->count(); ++index) shown << text1_->itemText(index);
  if (choices == shown) return;
  const QString typed = text1_->currentText();
  const QSignalBlocker quiet(text1_);
  text1_->clear();
  text1_->addItems(choices);
  text1_->setCurrentIndex(-1);
  text1_->setEditText(typed);
}

// The settings are read when the window first becomes active, not before:
// a settings file names the folder File1 shows.
void Form1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) logic_.Activated();
  QWidget::changeEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (logic_.CloseRequested()) {
    event->accept();
  } else {
    event->ignore();  // carried out once Convert has ended
  }
}

// A click or a key in Text1 lists the old folder anew before the key acts;
// Enter presses the button that has the focus, and Convert from any box.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_edit_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
    logic_.FolderTextsTouched();
  }
  if (event->type() != QEvent::KeyPress || !IsEnter(*event)) return QWidget::eventFilter(watched, event);
  if (watched == command1_ || watched == cancel_ || watched == browse2_ || watched == browse3_) {
    static_cast<QPushButton*>(watched)->click();
    return true;
  }
  if (command1_->isEnabled()) command1_->click();
  return true;
}

}  // namespace brantel
