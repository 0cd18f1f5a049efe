// The main window driven as a user drives it: keys, clicks, the message boxes
// answered, and the files it leaves behind.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QScrollBar>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QAccessible>
#include <QAction>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "tests/stand_in_listgen.h"
#include "tests/test_folder.h"
#include "ui/completion_box.h"
#include "ui/form1.h"
#include "ui/notes_dialog.h"

namespace {

using brantel::Form1;

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon;
  QString details;
};

// Answers every message box that comes up while it lives, as a user would
// press OK, and keeps what each one showed. `while_shown` runs while a box
// is up, to look at the window behind it.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBox(); });
    timer_.start(10);
  }

  std::vector<ShownBox> boxes;
  std::function<void()> while_shown;

 private:
  void AnswerOpenBox() {
    QWidget* shown = QApplication::activeModalWidget();
    if (shown == nullptr || !shown->isVisible()) return;
    if (auto* notes = dynamic_cast<brantel::NotesDialog*>(shown)) {
      boxes.push_back({notes->windowTitle(), notes->Heading(),
                       notes->Warning() ? QMessageBox::Warning : QMessageBox::Information, notes->Notes()});
      if (while_shown) while_shown();
      notes->OkButton()->click();
      return;
    }
    if (auto* done = dynamic_cast<brantel::CompletionBox*>(shown)) {
      boxes.push_back({done->windowTitle(), done->Text(), QMessageBox::NoIcon, ""});
      if (while_shown) while_shown();
      done->OkButton()->click();
      return;
    }
    auto* box = qobject_cast<QMessageBox*>(shown);
    if (box == nullptr) return;
    boxes.push_back({box->windowTitle(), box->text(), box->icon(), box->detailedText()});
    if (while_shown) while_shown();
    box->button(QMessageBox::Ok)->click();
  }

  QTimer timer_;
};

// Where a new window looks for MAME on Linux: Debian's MAME keeps its data
// under the home folder.
QString FirstStartMamePath() { return qEnvironmentVariable("HOME") + "/mame/"; }

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
  file.write(bytes);
}

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->item(row)->text();
  return items;
}

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row) items << list->itemText(row);
  return items;
}

// The names of the controls a user can see on the window (a message box over
// it is a window of its own).
QStringList VisibleControls(const QWidget* form) {
  QStringList names;
  for (const QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isVisible() && !child->isWindow()) names << child->objectName();
  }
  names.sort();
  return names;
}

const QStringList kShownControls = {"Browse2", "Browse3", "Command1", "File1", "File1Label", "Label1",
                                    "Label2",  "Label3",  "Text1",    "Text2", "Text3",      "chkListGen"};

// What a screen reader calls the control.
QString AccessibleName(QWidget* control) {
  return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void firstStartShowsTheInitialTexts();
  void controlsStandWhereTheyWereLaidOut();
  void tabVisitsTheControlsInOrder();
  void enterInAnyBoxAltCAndSpaceConvert();
  void cancelByItsAccessKeyOrEscape();
  void theCompletionBoxKeepsLinesWholeAndCopies();
  void file1StartsEmptyAndFollowsText1AndText2();
  void file1IsListedAnewOnAClick();
  void settingsLoadAtStartAndSaveAtClose();
  void theCheckBoxClickNeverGraysIt();
  void text1OffersTheOldFoldersAndMameIniNamesOne();
  void theNotesWrapResizeAndCopy();
  void aWholeConvertThroughTheWindow();

 private:
  bool OpenForm(const QString& program_folder);
  bool OpenForm() { return OpenForm(Program()); }
  template <class Control>
  Control* Find(const char* name) const {
    return form_->findChild<Control*>(name);
  }
  QString SettingsFile() const { return Program() + "/brantel.cfg"; }
  // The current directory of the test, and the program folder.
  QString Start(const QString& name) const { return QString::fromStdString(folder_->path()) + "/start/" + name; }
  QString Program() const { return QString::fromStdString(folder_->path()) + "/program"; }

  // A MAME in `folder` that prints `showconfig` when asked -showconfig.
  void StandInMame(const std::string& folder, const std::string& showconfig) const {
    const std::string mame = folder_->Write(folder + "/mame", "#!/bin/sh\n[ \"$1\" = -showconfig ] && [ -n '" + showconfig +
                                                                  "' ] && printf '" + showconfig + "\\n'\n");
    QFile::setPermissions(QString::fromStdString(mame), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  std::unique_ptr<brantel::test_support::TestFolder> folder_;
  std::unique_ptr<Form1> form_;
  QByteArray path_;
};

void Form1Test::init() {
  folder_ = std::make_unique<brantel::test_support::TestFolder>();
  folder_->MakeFolder("program");
  // A new window asks the MAME on the PATH: this one answers nothing.
  path_ = qgetenv("PATH");
  StandInMame("bin", "");
  qputenv("PATH", QString::fromStdString(folder_->path()).toLocal8Bit() + "/bin:" + path_);
  QVERIFY(QDir::setCurrent(QString::fromStdString(folder_->MakeFolder("start"))));
}

void Form1Test::cleanup() {
  qputenv("PATH", path_);
  QStringList open;
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible()) open << window->objectName() + " \"" + window->windowTitle() + "\"";
  }
  form_.reset();
  folder_.reset();
  // After a failure the window the test meant to close is still open.
  if (!QTest::currentTestFailed()) {
    QVERIFY2(open.isEmpty(), qPrintable("left open: " + open.join(", ")));
  }
}

bool Form1Test::OpenForm(const QString& program_folder) {
  form_ = std::make_unique<Form1>(program_folder.toStdString());
  form_->show();
  form_->activateWindow();
  return QTest::qWaitForWindowActive(form_.get());
}

void Form1Test::firstStartShowsTheInitialTexts() {
  QVERIFY(OpenForm());
  QCOMPARE(form_->windowTitle(), QString("brantel Manager"));
  QCOMPARE(Find<QLineEdit>("Text1")->text(), QString("stormcabinet"));
  QCOMPARE(Find<QLineEdit>("Text2")->text(), FirstStartMamePath());
  QCOMPARE(Find<QLineEdit>("Text3")->text(), QString("mame"));
  QCOMPARE(Find<QCheckBox>("chkListGen")->checkState(), Qt::Unchecked);
  // The version, from the window's context menu.
  auto* about = form_->findChild<QAction*>("About");
  QVERIFY(about != nullptr && form_->actions().contains(about));
  QCOMPARE(form_->contextMenuPolicy(), Qt::ActionsContextMenu);
  MessageBoxAnswerer answerer;
  about->trigger();
  QCOMPARE(answerer.boxes.size(), size_t{1});
  QVERIFY2(answerer.boxes[0].text.startsWith("brantel Manager 1."), qPrintable(answerer.boxes[0].text));
  form_->close();

  // A MAME on the PATH that names its ctrlr folder, with one old folder.
  WriteFile(Start("data/ctrlr/solo/a.ini"), "");
  StandInMame("bin", "ctrlrpath " + Start("data/ctrlr").toStdString());
  folder_->MakeFolder("start/program");
  QVERIFY(OpenForm(Start("program")));
  QCOMPARE(Find<QLineEdit>("Text1")->text(), QString("solo"));
  QCOMPARE(Find<QLineEdit>("Text2")->text(), Start("data/"));
  QCOMPARE(Find<QLineEdit>("Text3")->text(), QString("mame"));
  QCOMPARE(Items(Find<QListWidget>("File1")), QStringList({"a.ini"}));
  form_->close();
}

// The places of the layout, in the system's font: from top to bottom
// without overlap, the labels ending above the boxes, each box a line high.
void Form1Test::controlsStandWhereTheyWereLaidOut() {
  QVERIFY(OpenForm());
  QVERIFY(form_->width() >= 417 && form_->height() >= 417);
  const QRect free = form_->screen()->availableGeometry();
  QVERIFY(form_->width() <= free.width() && form_->height() <= free.height());
  QVERIFY(!form_->windowIcon().isNull());
  QCOMPARE(form_->font(), QApplication::font());
  QCOMPARE(Find<QLabel>("Label1")->text(),
           QString("&Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the "
                   "mame.ini)."));
  QCOMPARE(Find<QLabel>("Label2")->text(), QString("&Path to Mame"));
  QCOMPARE(Find<QLabel>("Label3")->text(), QString("Mame &Exe"));
  QCOMPARE(Find<QCheckBox>("chkListGen")->text(),
           QString("&Generate New Master List (made by itself on first run and when MAME changes; tick to force it)"));
  QCOMPARE(Find<QPushButton>("Command1")->text(), QString("&Convert"));
  QCOMPARE(Find<QPushButton>("Browse2")->text(), QString("&Browse..."));
  QCOMPARE(Find<QPushButton>("Browse3")->text(), QString("Bro&wse..."));

  const QRect text1 = Find<QWidget>("Text1")->geometry();
  int bottom = 0;
  for (const char* name :
       {"Label1", "Text1", "Label2", "Text2", "Label3", "Text3", "chkListGen", "File1Label", "File1", "Command1"}) {
    auto* control = Find<QWidget>(name);
    QVERIFY2(control != nullptr, name);
    const QRect place = control->geometry();
    QVERIFY2(place.top() >= bottom && place.left() >= text1.left() && place.right() <= text1.right(), name);
    QVERIFY2(place.height() >= control->sizeHint().height() || QByteArray(name) == "File1", name);
    bottom = place.bottom() + 1;
  }
  QVERIFY(bottom <= form_->height());
  // The same margin on every side: no band above the first label, nothing
  // cut at the bottom.
  const int margin = text1.left();
  QVERIFY2(Find<QWidget>("Label1")->geometry().top() <= margin, "no band above the first label");
  QVERIFY(qAbs(form_->width() - 1 - text1.right() - margin) <= 1);
  QVERIFY(qAbs(form_->height() - bottom - margin) <= 1);
  QCOMPARE(Find<QWidget>("File1")->geometry().right(), text1.right());
  QCOMPARE(VisibleControls(form_.get()), kShownControls);
  for (const char* name : {"Text1", "Text2", "Text3"}) {  // no length limit of their own
    Find<QLineEdit>(name)->setText(QString(40000, 'x'));
    QCOMPARE(Find<QLineEdit>(name)->text().size(), 40000);
  }
  // Resized, the list takes the room; Browse sits at the end of its box.
  const QRect list = Find<QWidget>("File1")->geometry(), convert = Find<QWidget>("Command1")->geometry();
  const QRect browse = Find<QWidget>("Browse2")->geometry();
  QCOMPARE(browse.right(), text1.right());
  form_->resize(form_->width() + 40, form_->height() + 30);
  QTRY_COMPARE(Find<QWidget>("File1")->geometry(), list.adjusted(0, 0, 40, 30));
  QCOMPARE(Find<QWidget>("Command1")->geometry(), convert.translated(0, 30));
  QCOMPARE(Find<QWidget>("Browse2")->geometry(), browse.translated(40, 0));
  form_->close();
}

// The visual order, from the folder name on; a screen reader hears each
// control by what it is for.
void Form1Test::tabVisitsTheControlsInOrder() {
  QVERIFY(OpenForm());
  QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1"));
  const QStringList order = {"Text2", "Browse2", "Text3", "Browse3", "chkListGen", "File1", "Command1", "Text1"};
  for (const QString& next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
  }
  for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), *it);
  }
  // Each label's access key moves the focus to its box.
  for (const auto& [key, box] :
       {std::pair{Qt::Key_N, "Text1"}, {Qt::Key_P, "Text2"}, {Qt::Key_E, "Text3"}, {Qt::Key_G, "chkListGen"}}) {
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString(box));
  }
  QCOMPARE(form_->CheckBoxValue(), 0);  // Alt+G moves the focus without a tick
  const QString label1 = "Name of your old ctrlr folder.  (The one you used in the ctrlr entry of the mame.ini).";
  QCOMPARE(AccessibleName(Find<QComboBox>("Text1")), label1);
  QCOMPARE(AccessibleName(Find<QLineEdit>("Text1")), label1);
  QCOMPARE(AccessibleName(Find<QWidget>("Browse2")), QString("Browse for the MAME folder"));
  QCOMPARE(AccessibleName(Find<QWidget>("Browse3")), QString("Browse for the MAME program"));
  form_->close();
}

// With a MAME path that names no folder, every Convert ends in its first
// message: a box shows that Convert ran. Enter in any box presses Convert.
void Form1Test::enterInAnyBoxAltCAndSpaceConvert() {
  QVERIFY(OpenForm());
  MessageBoxAnswerer answerer;
  Find<QLineEdit>("Text2")->setText(Start("no mame here"));

  size_t shown = 0;
  for (const char* name : {"Text1", "Text2", "Text3", "chkListGen", "File1"}) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
      auto* box = Find<QWidget>(name);
      box->setFocus();
      QTest::keyClick(box, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      QCOMPARE(answerer.boxes.size(), ++shown);
    }
  }
  QCOMPARE(answerer.boxes[0].title, QString("File Path Error"));
  QCOMPARE(answerer.boxes[0].text, "Directory Not Found!\n" + Start("no mame here") + "/ctrlr/stormcabinet/");
  QCOMPARE(answerer.boxes[0].icon, QMessageBox::Critical);
  QCOMPARE(Find<QLineEdit>("Text2")->text(), Start("no mame here") + "/");
  QCOMPARE(form_->CheckBoxValue(), 0);

  form_->activateWindow();  // as the window manager gives it back after a box
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  QTest::keyClick(form_.get(), Qt::Key_C, Qt::AltModifier);
  ++shown;
  QTRY_COMPARE(answerer.boxes.size(), shown);  // the access key presses the button shortly
  auto* button = Find<QPushButton>("Command1");
  QVERIFY(button->isDefault());
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  QTest::keyClick(button, Qt::Key_Return);
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(answerer.boxes.size(), shown + 3);
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  form_->close();
}

// While Convert runs, Cancel has the focus and an access key; Escape
// presses it too.
void Form1Test::cancelByItsAccessKeyOrEscape() {
#ifdef Q_OS_WIN
  QSKIP("the list generator stand-in is a shell script");
#endif
  brantel::test_support::InstallStandInListGenerator(*folder_, "program", brantel::test_support::CrLf({brantel::test_support::MasterListLine("a", "", "1")}), 30);
  WriteFile(Start("mame/ctrlr/OLD/a.ini"), "");
  WriteFile(Start("mame/mame"), "#!/bin/sh\n");
  QFile::setPermissions(Start("mame/mame"), QFile::ReadOwner | QFile::ExeOwner);
  QVERIFY(OpenForm());
  Find<QLineEdit>("Text1")->setText("OLD");
  Find<QLineEdit>("Text2")->setText(Start("mame"));
  for (const auto& [key, modifier] : {std::pair{Qt::Key_C, Qt::AltModifier}, {Qt::Key_Escape, Qt::NoModifier}}) {
    form_->activateWindow();  // as the window manager gives it back after a box
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    MessageBoxAnswerer answerer;
    QString cancel_text, focus;
    QTimer::singleShot(300, [&] {
      cancel_text = Find<QPushButton>("cmdCancel")->text();
      QWidget* focused = QApplication::focusWidget();
      focus = focused != nullptr ? focused->objectName() : "none";
      QTest::keyClick(focused != nullptr ? focused : form_.get(), key, modifier);
    });
    QTest::keyClick(Find<QLineEdit>("Text1"), Qt::Key_Return);
    QCOMPARE(answerer.boxes.size(), size_t{1});
    QCOMPARE(answerer.boxes[0].title, QString("Conversion Cancelled"));
    QCOMPARE(cancel_text, QString("&Cancel"));
    QCOMPARE(focus, QString("cmdCancel"));
  }
  form_->close();
}

// One fact a line, no line broken inside; Copy and Ctrl+C copy it all; the
// answer tells whether "Use it in MAME" closed the box.
void Form1Test::theCompletionBoxKeepsLinesWholeAndCopies() {
  QVERIFY(OpenForm());
  const QString path = "/home/user/.mame/ctrlr/" + QString("a long folder name ").repeated(8) + "/cab.cfg";
  const QString text = "The new controller file is " + path + "\nctrlrpath " + path + "\nctrlr cab";
  for (const bool offered : {true, false}) {
    for (const bool use_it : {true, false}) {
      if (use_it && !offered) continue;
      QStringList seen;
      QTimer::singleShot(0, [&] {
        auto* box = dynamic_cast<brantel::CompletionBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        auto* label = box->findChild<QLabel*>("Text");
        QVERIFY(!label->wordWrap());
        QVERIFY(label->sizeHint().width() > label->fontMetrics().horizontalAdvance("ctrlrpath " + path));
        seen << box->windowTitle() << box->Text();
        QCOMPARE(box->UseInMameButton() != nullptr, offered);
        if (offered) QCOMPARE(box->UseInMameButton()->text(), QString("&Use it in MAME"));
        QApplication::clipboard()->clear();
        QTest::keyClick(box->OkButton(), Qt::Key_C, Qt::ControlModifier);
        seen << QApplication::clipboard()->text();
        QApplication::clipboard()->clear();
        box->findChild<QPushButton*>("Copy")->click();
        seen << QApplication::clipboard()->text();
        (use_it ? box->UseInMameButton() : box->OkButton())->click();
      });
      const bool answer = form_->ShowCompletionBox(text.toStdString(), "Conversion Complete!", offered);
      QCOMPARE(answer, use_it);
      QCOMPARE(seen, QStringList({"Conversion Complete!", text, text, text}));
    }
  }
  form_->close();
}

// File1 shows the INI files of Text2 + "ctrlr\" + Text1, whichever is typed,
// and nothing when there is no such folder.
void Form1Test::file1StartsEmptyAndFollowsText1AndText2() {
  WriteFile(Start("mame/ctrlr/top.ini"), "");
  WriteFile(Start("mame/ctrlr/alpha/b.ini"), "");
  WriteFile(Start("mame/ctrlr/alpha/A.ini"), "");
  WriteFile(Start("mame/ctrlr/alpha/c.cfg"), "");
  WriteFile(Start("alpha/here.ini"), "");  // the current folder does not count
  QVERIFY(OpenForm());
  auto* file1 = Find<QListWidget>("File1");
  QCOMPARE(Items(file1), QStringList());  // no "stormcabinet" under MAME
  QCOMPARE(Find<QLabel>("File1Label")->buddy(), file1);
  QCOMPARE(AccessibleName(file1), "No ctrlr folder in " + FirstStartMamePath());
  Find<QLineEdit>("Text2")->setText(Start("mame"));

  auto* text1 = Find<QLineEdit>("Text1");
  text1->setFocus();
  text1->selectAll();
  QTest::keyClicks(text1, "alpha");
  QCOMPARE(Items(file1), QStringList({"A.ini", "b.ini"}));
  QCOMPARE(AccessibleName(file1), QString("INI files in ctrlr/alpha"));
  QCOMPARE(Find<QLabel>("File1Label")->text(), QString("INI files in ctrlr/alpha"));
  QTest::keyClicks(text1, "x");  // a typo: no such folder
  QCOMPARE(Items(file1), QStringList());
  QCOMPARE(AccessibleName(file1), "No folder alphax in " + Start("mame/ctrlr/"));
  QTest::keyClick(text1, Qt::Key_Backspace);
  QCOMPARE(Items(file1), QStringList({"A.ini", "b.ini"}));
  QTest::keyClicks(Find<QLineEdit>("Text2"), "x");
  QCOMPARE(Items(file1), QStringList());
  QCOMPARE(AccessibleName(file1), "No ctrlr folder in " + Start("mamex/"));
  Find<QLineEdit>("Text2")->setText(Start("mame/"));
  QCOMPARE(Items(file1), QStringList({"A.ini", "b.ini"}));
  text1->clear();  // not ctrlr itself
  QCOMPARE(Items(file1), QStringList());
  // A folder dropped on the window: inside ctrlr it names both texts.
  for (const auto& [dropped, path, name] : {std::tuple{Start("mame/ctrlr/alpha"), Start("mame/"), QString("alpha")},
                                            {Start("alpha"), Start("alpha/"), QString("alpha")}}) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dropped)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form_.get(), &drop);
    QCOMPARE(Find<QLineEdit>("Text2")->text(), path);
    QCOMPARE(text1->text(), name);
  }
  form_->close();
}

void Form1Test::file1IsListedAnewOnAClick() {
  WriteFile(Start("mame/ctrlr/beta/one.ini"), "");
  QVERIFY(OpenForm());
  auto* file1 = Find<QListWidget>("File1");
  auto* text1 = Find<QLineEdit>("Text1");
  Find<QLineEdit>("Text2")->setText(Start("mame"));
  text1->setText("beta");
  QCOMPARE(Items(file1), QStringList({"one.ini"}));

  WriteFile(Start("mame/ctrlr/beta/three.ini"), "");
  QTest::mouseClick(text1, Qt::LeftButton);
  QCOMPARE(Items(file1), QStringList({"one.ini", "three.ini"}));

  // Selecting in the list changes nothing.
  file1->setCurrentRow(1);
  QCOMPARE(text1->text(), QString("beta"));
  QCOMPARE(Items(file1), QStringList({"one.ini", "three.ini"}));
  form_->close();
}

void Form1Test::settingsLoadAtStartAndSaveAtClose() {
  WriteFile(SettingsFile(), "  hotrod \r\nd:\\games\\mame\r\nmame64.exe\r\n 2 \r\nfifth\r\n");
  QVERIFY(OpenForm());
  QCOMPARE(Find<QLineEdit>("Text1")->text(), QString("hotrod"));
  QCOMPARE(Find<QLineEdit>("Text2")->text(), QString("d:\\games\\mame/"));
  QCOMPARE(Find<QLineEdit>("Text3")->text(), QString("mame64.exe"));
  QCOMPARE(Find<QCheckBox>("chkListGen")->checkState(), Qt::PartiallyChecked);
  QCOMPARE(form_->CheckBoxValue(), 2);

  Find<QLineEdit>("Text3")->setText("mame.exe");
  form_->close();
  QCOMPARE(ReadFile(SettingsFile()), QByteArray("hotrod\r\nd:\\games\\mame/\r\nmame.exe\r\n 2 \r\n"));
}

void Form1Test::theCheckBoxClickNeverGraysIt() {
  QVERIFY(OpenForm());
  auto* box = Find<QCheckBox>("chkListGen");
  QVERIFY(form_->SetCheckBoxValue(2));
  QVERIFY(!form_->SetCheckBoxValue(3));
  QVERIFY(!form_->SetCheckBoxValue(-1));
  QCOMPARE(form_->CheckBoxValue(), 2);

  const QPoint on_second_caption_line(200, box->height() - 5);
  QTest::mouseClick(box, Qt::LeftButton, {}, on_second_caption_line);
  QCOMPARE(form_->CheckBoxValue(), 1);
  QTest::mouseClick(box, Qt::LeftButton, {}, on_second_caption_line);
  QCOMPARE(form_->CheckBoxValue(), 0);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Space);
  QCOMPARE(form_->CheckBoxValue(), 1);
  QTest::keyClick(box, Qt::Key_Space);
  QCOMPARE(form_->CheckBoxValue(), 0);
  form_->close();
  QCOMPARE(ReadFile(SettingsFile()),
           "stormcabinet\r\n" + FirstStartMamePath().toLocal8Bit() + "\r\nmame\r\n 0 \r\n");
}

// Without a saved folder name, mame.ini's ctrlr entry names the folder
// (here the one in ~/.mame, where Debian's MAME reads it); Text1's list
// offers the folders of INI files under ctrlr and follows Text2.
void Form1Test::text1OffersTheOldFoldersAndMameIniNamesOne() {
  WriteFile(Start("home/mame/ctrlr/panel/a.ini"), "");
  WriteFile(Start("home/mame/ctrlr/Hotrod/b.ini"), "");
  WriteFile(Start("home/mame/ctrlr/empty/d.cfg"), "");
  WriteFile(Start("home/.mame/mame.ini"), "# ctrlr Hotrod\nctrlr                    panel\n");
  WriteFile(Start("other/ctrlr/third/t.ini"), "");
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", Start("home").toLocal8Bit());
  const bool opened = OpenForm();
  qputenv("HOME", home);
  QVERIFY(opened);
  auto* text1 = Find<QComboBox>("Text1");
  auto* file1 = Find<QListWidget>("File1");
  QCOMPARE(text1->currentText(), QString("panel"));
  QCOMPARE(Items(file1), QStringList({"a.ini"}));

  // Alt+N, then Alt+Down opens the list, made anew: "s" and Enter pick
  // stormcabinet, which appeared after the window.
  WriteFile(Start("home/mame/ctrlr/stormcabinet/c.ini"), "");
  QTest::keyClick(form_.get(), Qt::Key_N, Qt::AltModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down, Qt::AltModifier);
  QTRY_VERIFY(text1->view()->isVisible());
  QCOMPARE(Items(text1), QStringList({"Hotrod", "panel", "stormcabinet"}));
  QTest::keyClicks(text1->view(), "s");
  QTest::keyClick(text1->view(), Qt::Key_Return);
  QTRY_VERIFY(!text1->view()->isVisible());
  QCOMPARE(text1->currentText(), QString("stormcabinet"));
  QCOMPARE(Items(file1), QStringList({"c.ini"}));
  QTest::keyClicks(Find<QLineEdit>("Text1"), "x");  // typed as into a text box
  QCOMPARE(text1->currentText(), QString("stormcabinetx"));

  Find<QLineEdit>("Text2")->setText(Start("other"));
  QCOMPARE(Items(text1), QStringList({"third"}));
  QCOMPARE(text1->currentText(), QString("stormcabinetx"));
  form_->close();
}

// The notes' lines wrap at the dialog's width, which the user may change;
// Ctrl+C copies the selection, or all without one.
void Form1Test::theNotesWrapResizeAndCopy() {
  const QString note = "pong.ini:3: port P1_BUTTON1: " + QString("KEYCODE_0_PAD by KEYCODE_0PAD, ").repeated(12);
  brantel::NotesDialog dialog("Conversion Notes", "Not applied by MAME: 2 notes.", "Not applied by MAME:\n" + note + "\nb.ini:1: y",
                              true, nullptr);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  auto* notes = dialog.findChild<QPlainTextEdit*>("Notes");
  const auto lines_of_the_note = [notes] { return notes->document()->findBlockByNumber(1).layout()->lineCount(); };
  QCOMPARE(notes->horizontalScrollBar()->maximum(), 0);
  const int wide = lines_of_the_note();
  QVERIFY(wide > 1);
  dialog.resize(dialog.width() / 2, dialog.height());
  QTRY_VERIFY(lines_of_the_note() > wide);
  QCOMPARE(notes->horizontalScrollBar()->maximum(), 0);

  QCOMPARE(QApplication::focusWidget(), dialog.OkButton());
  QTest::keyClick(dialog.OkButton(), Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), "Not applied by MAME:\n" + note + "\nb.ini:1: y");
  QApplication::clipboard()->clear();
  dialog.findChild<QPushButton*>("Copy")->click();
  QCOMPARE(QApplication::clipboard()->text(), "Not applied by MAME:\n" + note + "\nb.ini:1: y");
  QTest::keyClick(dialog.OkButton(), Qt::Key_Backtab, Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), notes);
  QTest::keyClick(notes, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(notes, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClick(notes, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QString("b.ini:1: y"));
  QCOMPARE(AccessibleName(notes), QString("Conversion notes"));
  // "Save...": every note in the file chosen, CR LF after each; the dialog
  // starts in the user's documents with the folder's name.
  QString offered;
  QTimer chooser;
  QObject::connect(&chooser, &QTimer::timeout, [&] {
    if (auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      offered = files->directory().filePath(files->findChild<QLineEdit*>("fileNameEdit")->text());
      // Typed as a person would: the dialog may still be filling in its
      // folder, and a file selected in it could be replaced meanwhile.
      files->findChild<QLineEdit*>("fileNameEdit")->setText(Start("notes.txt"));
      static_cast<QDialog*>(files)->accept();  // as the dialog's Save button does
    }
  });
  chooser.start(10);
  dialog.SetSaveName("cab conversion notes.txt");
  dialog.findChild<QPushButton*>("Save")->click();
  QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!QDir(documents).exists()) documents = QDir::homePath();
  QCOMPARE(offered, QDir(documents).filePath("cab conversion notes.txt"));
  QCOMPARE(ReadFile(Start("notes.txt")), "Not applied by MAME:\r\n" + note.toUtf8() + "\r\nb.ini:1: y\r\n");
  QTest::keyClick(notes, Qt::Key_Escape);
  QVERIFY(!dialog.isVisible());
}

void Form1Test::aWholeConvertThroughTheWindow() {
#ifdef Q_OS_WIN
  QSKIP("the list generator stand-in is a shell script");
#endif
  // The master list: pacman is a parent, mspacman a clone, robby unknown.
  using brantel::test_support::MasterListLine;
  brantel::test_support::InstallStandInListGenerator(
      *folder_, "program",
      brantel::test_support::CrLf(
          {MasterListLine("pacman", "pacman", "1"), MasterListLine("mspacman", "pacman", "1")}),
      2);
  QTemporaryDir mame;
  const QString old_folder = mame.filePath("ctrlr/OLD");
  WriteFile(old_folder + "/default.ini", "P1_BUTTON1 \"KEYCODE_LCONTROL\"\r\n");
  WriteFile(old_folder + "/mspacman.ini", "P1_JOYSTICK_UP \"KEYCODE_UP\"\r\n");
  WriteFile(old_folder + "/pacman.ini", "P1_JOYSTICK_UP \"KEYCODE_8_PAD\"\r\n");
  WriteFile(old_folder + "/robby.ini", "P1_BUTTON2 \"KEYCODE_LALT\"\r\n");
  WriteFile(mame.filePath("mame"), "#!/bin/sh\n");  // a MAME for Convert to find
  QFile::setPermissions(mame.filePath("mame"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  // The progress line as the engine shows it, with the bar's state.
  QStringList progress;
  class ProgressForm : public Form1 {
   public:
    ProgressForm(const std::string& program, QStringList& seen) : Form1(program), seen_(seen) {}
    void ShowProgress(const std::string& line, size_t done, size_t total) override {
      Form1::ShowProgress(line, done, total);
      const auto* bar = findChild<QProgressBar*>("ProgressBar");
      const QString state =
          bar->maximum() == 0 ? "busy" : QString::number(bar->value()) + "/" + QString::number(bar->maximum());
      seen_ << QString::fromStdString(line) + " " + state + (bar->isVisible() ? " shown" : " hidden");
    }

   private:
    QStringList& seen_;
  };
  form_ = std::make_unique<ProgressForm>(Program().toStdString(), progress);
  form_->show();
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  const QRect list_before = Find<QWidget>("File1")->geometry();
  Find<QLineEdit>("Text1")->setText("OLD");
  Find<QLineEdit>("Text2")->setText(mame.path());
  Find<QCheckBox>("chkListGen")->setCheckState(Qt::Checked);

  MessageBoxAnswerer answerer;
  QStringList visible_during_box;
  std::vector<size_t> list_sizes;
  const QCursor* cursor_during_box = nullptr;
  answerer.while_shown = [&] {
    visible_during_box = VisibleControls(form_.get());
    list_sizes = {form_->DriverList().size(), form_->ParentList().size(),
                  form_->RomList().size()};
    QCOMPARE(form_->windowTitle(), QString("brantel Manager - closing after Convert"));
    cursor_during_box = QApplication::overrideCursor();
    QVERIFY(cursor_during_box != nullptr);
    QCOMPARE(cursor_during_box->shape(), Qt::ArrowCursor);
  };
  // While the list generator runs, timers still fire: the caption counts the
  // time, the controls are disabled but Cancel, and a close request waits
  // for the end of Convert, as the caption says.
  QString caption_while_running;
  QStringList enabled_while_running;
  QRect list_while_running, progress_line_while_running;
  QString progress_text_while_running;
  QTimer::singleShot(500, [&] {
    caption_while_running = form_->windowTitle();
    list_while_running = Find<QWidget>("File1")->geometry();
    progress_line_while_running = Find<QWidget>("ProgressLine")->geometry();
    progress_text_while_running = Find<QLabel>("ProgressLine")->text();
    for (const QWidget* control : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (control->isEnabled() && qobject_cast<const QLabel*>(control) == nullptr) enabled_while_running << control->objectName();
    }
    QVERIFY(form_->Converting());
    form_->close();
    QVERIFY(form_->isVisible());
    QCOMPARE(form_->windowTitle(), caption_while_running + " - closing after Convert");
  });
  QTest::keyClick(form_.get(), Qt::Key_C, Qt::AltModifier);

  // The old keypad name in pacman.ini is noted before the completion.
  QTRY_COMPARE(answerer.boxes.size(), size_t{2});
  QVERIFY2(caption_while_running.startsWith("brantel Manager - making the master list, "),
           qPrintable(caption_while_running));
  QCOMPARE(enabled_while_running, QStringList({"cmdCancel", "ProgressBar"}));
  QCOMPARE(progress_text_while_running, QString("Making the master list (MAME's machines)..."));
  QVERIFY(!form_->isVisible());
  QCOMPARE(form_->windowTitle(), QString("brantel Manager"));
  const QString note = "pacman.ini: 1 old name replaced by the current ones: KEYCODE_8_PAD by KEYCODE_8PAD";
  QCOMPARE(answerer.boxes[0].title, QString("Conversion Notes"));
  QCOMPARE(answerer.boxes[0].text, "Changed so that current MAME reads it: 1 note (1 file with old names replaced).");
  QCOMPARE(answerer.boxes[0].details, "Changed so that current MAME reads it:\n" + note + "\n");
  QCOMPARE(answerer.boxes[0].icon, QMessageBox::Information);
  QCOMPARE(answerer.boxes[1].title, QString("Conversion Complete!"));
  QCOMPARE(answerer.boxes[1].text,
           "The new controller file is " + QDir(mame.path()).filePath("ctrlr/OLD.cfg") +
               "\nFor MAME to use it, set ctrlr OLD in mame.ini, or start MAME with -ctrlr OLD (a guess: MAME itself "
               "could not be asked, as mame -showconfig named no ctrlrpath)\n"
               "You can either keep your old folder or safely remove it at this time.");
  QCOMPARE(answerer.boxes[1].icon, QMessageBox::NoIcon);
  QCOMPARE(QApplication::overrideCursor(), nullptr);
  QCOMPARE(list_sizes, (std::vector<size_t>{1, 1, 1}));
  QCOMPARE(visible_during_box, kShownControls);

  // Sections: default first, then the unknown, the parent, the clone.
  const QByteArray combined = ReadFile(mame.filePath("ctrlr/OLD.cfg"));
  const qsizetype at_default = combined.indexOf("<system name=\"default\">");
  const qsizetype at_robby = combined.indexOf("<system name=\"robby\">");
  const qsizetype at_pacman = combined.indexOf("<system name=\"pacman\">");
  const qsizetype at_mspacman = combined.indexOf("<system name=\"mspacman\">");
  QVERIFY2(at_default >= 0 && at_default < at_robby && at_robby < at_pacman &&
               at_pacman < at_mspacman,
           combined.constData());
  QCOMPARE(QDir(old_folder).entryList({"*.cfg"}, QDir::Files), QStringList());
  QCOMPARE(Items(Find<QListWidget>("File1")),
           QStringList({"default.ini", "mspacman.ini", "pacman.ini", "robby.ini"}));

  QCOMPARE(ReadFile(Program() + "/listgen.ran"), QByteArray("-s -ctrlr -new\n"));  // the box is ticked
  // The new list made, the tick is cleared, and saved so.
  QCOMPARE(Find<QCheckBox>("chkListGen")->checkState(), Qt::Unchecked);
  QCOMPARE(ReadFile(SettingsFile()), "OLD\r\n" + QDir::toNativeSeparators(mame.path()).toLocal8Bit() +
                                         "/\r\nmame\r\n 0 \r\n");
  // The progress line: a busy bar while the list is made, then the files
  // counted, and gone at the end, the list as high as before.
  QCOMPARE(progress.front(), QString("Making the master list (MAME's machines)... busy shown"));
  QVERIFY2(progress.contains("Converting: 4 of 4 files 3/4 shown"), qPrintable(progress.join(", ")));
  QCOMPARE(progress.back(), QString(" busy hidden"));
  QCOMPARE(list_while_running.bottom() + 1, progress_line_while_running.top() - form_->fontMetrics().averageCharWidth());
  QCOMPARE(progress_line_while_running.bottom(), list_before.bottom());
  QCOMPARE(Find<QWidget>("File1")->geometry(), list_before);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
