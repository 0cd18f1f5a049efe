#include "ui/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QFont>
#include <QKeySequence>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRect>
#include <QStringList>

#include <initializer_list>
#include <limits>

#include "ui/about.h"
#include "ui/list_gen_check_box.h"

namespace brantel {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientSize = 6735 / kTwipsPerPixel;

QRect FromTwips(int left, int top, int width, int height) {
  return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
               height / kTwipsPerPixel);
}

// The engine's texts are the bytes of the system's own code page, which is
// also the one its file names are in.
QString ToQt(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

// The controls were laid out for a narrow 11-pixel sans serif: the first
// label fills its width with it.
QFont WindowFont() {
  QFont font;
  font.setFamilies({"Microsoft Sans Serif", "Liberation Sans Narrow", "Arial Narrow"});
  font.setPixelSize(11);
  return font;
}

// Each label comes right before its box, for screen readers; its access key
// moves the focus to the box.
QLabel* AddLabel(QWidget* form, const char* name, const char* caption, const QRect& place) {
  auto* label = new QLabel(caption, form);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  return label;
}

QLineEdit* AddTextBox(QWidget* form, const char* name, const std::string& text, const QRect& place) {
  auto* box = new QLineEdit(ToQt(text), form);
  box->setObjectName(name);
  box->setGeometry(place);
  box->setMaxLength(std::numeric_limits<int>::max());  // no limit of our own (default 32,767)
  return box;
}

bool IsEnter(const QEvent& event) {
  const auto& key = static_cast<const QKeyEvent&>(event);
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
         (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
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
  setFont(WindowFont());
  setFixedSize(kClientSize, kClientSize);
  CreateControls();
  ChainFocusOrder();
  AddAboutToContextMenu(*this);
  File1().SetChangeObserver([this] { ShowFileList(); });
  ShowFileList();
}

void Form1::CreateControls() {
  QLabel* label1 = AddLabel(
      this, "Label1", "&Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini).",
      FromTwips(240, 600, 5730, 195));
  const WindowTexts first = FirstStartTexts();
  text1_ = AddTextBox(this, "Text1", first.folder_name, FromTwips(120, 840, 6015, 285));
  label1->setBuddy(text1_);
  QLabel* label2 = AddLabel(this, "Label2", "&Path to Mame", FromTwips(240, 1200, 990, 195));
  text2_ = AddTextBox(this, "Text2", first.mame_path, FromTwips(120, 1440, 6015, 285));
  label2->setBuddy(text2_);
  QLabel* label3 = AddLabel(this, "Label3", "Mame &Exe", FromTwips(240, 1800, 750, 195));
  text3_ = AddTextBox(this, "Text3", first.executable, FromTwips(120, 2040, 6015, 285));
  label3->setBuddy(text3_);

  chk_list_gen_ = new ListGenCheckBox(
      "Generate New Master List (Must be done on first run and anytime your mame version is "
      "upgraded.)",
      this);
  chk_list_gen_->setObjectName("chkListGen");
  chk_list_gen_->setGeometry(FromTwips(120, 2400, 6015, 495));

  file1_view_ = new QListWidget(this);
  file1_view_->setObjectName("File1");
  file1_view_->setGeometry(FromTwips(120, 3000, 6015, 3015));

  command1_ = new QPushButton("&Convert", this);
  command1_->setObjectName("Command1");
  command1_->setGeometry(FromTwips(120, 6120, 1215, 495));
  // Not a default button: Enter in a text box must not convert. Enter on the
  // button itself still presses it (eventFilter).
  command1_->setAutoDefault(false);
  command1_->setDefault(false);

  // Shown only while Convert waits; Escape presses it.
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cmdCancel");
  cancel_->setGeometry(FromTwips(1440, 6120, 1215, 495));
  cancel_->setAutoDefault(false);
  cancel_->setShortcut(QKeySequence(Qt::Key_Escape));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] { logic_.CancelPressed(); });
  cancel_->installEventFilter(this);

  connect(text1_, &QLineEdit::textChanged, this, [this] { logic_.FolderTextsTouched(); });
  connect(text2_, &QLineEdit::textChanged, this, [this] { logic_.FolderTextsTouched(); });
  text1_->installEventFilter(this);
  command1_->installEventFilter(this);
  connect(command1_, &QPushButton::clicked, this, [this] { logic_.Command1Pressed(); });
}

// File1 takes the focus and comes first; labels take none.
void Form1::ChainFocusOrder() {
  setTabOrder(file1_view_, text1_);
  setTabOrder(text1_, command1_);
  setTabOrder(command1_, text2_);
  setTabOrder(text2_, text3_);
  setTabOrder(text3_, chk_list_gen_);
  file1_view_->setFocus();
}

std::string Form1::Text1() const { return FromQt(text1_->text()); }
void Form1::SetText1(const std::string& text) { text1_->setText(ToQt(text)); }
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
  const QMessageBox::Icon icon =
      style == MessageStyle::kCritical ? QMessageBox::Critical : QMessageBox::NoIcon;
  QMessageBox box(icon, ToQt(title), ToQt(prompt), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  logic_.BeforeMessageBox();
  ArrowWhileAnswering arrow;
  box.exec();
}

void Form1::ShowMessageBoxWithDetails(const std::string& prompt, const std::string& title,
                                      const std::string& details) {
  QMessageBox box(QMessageBox::NoIcon, ToQt(title), ToQt(prompt), QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.setDetailedText(ToQt(details));
  logic_.BeforeMessageBox();
  ArrowWhileAnswering arrow;
  box.exec();
}

void Form1::ShowFileList() {
  file1_view_->clear();
  for (const std::string& name : File1().Names()) file1_view_->addItem(ToQt(name));
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
  for (QWidget* control : std::initializer_list<QWidget*>{text1_, text2_, text3_, chk_list_gen_, file1_view_, command1_}) {
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
// Enter presses the button that has the focus.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
    logic_.FolderTextsTouched();
  }
  if ((watched == command1_ || watched == cancel_) && event->type() == QEvent::KeyPress && IsEnter(*event)) {
    static_cast<QPushButton*>(watched)->click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace brantel
