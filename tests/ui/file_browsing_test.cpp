// The file list, directory list, drive selector and filter selector, alone
// and linked as the window links them.

#include <sys/stat.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/drive_combo_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/filter_combo_box.h"
#include "ui/widgets/typing_limit.h"
#include "window_fixture.h"

namespace {

using ui_testing::Choose;
using ui_testing::Select;

QStringList Names(const QListWidget& list) {
  QStringList names;
  for (int i = 0; i < list.count(); ++i) names << list.item(i)->text();
  return names;
}

}  // namespace

class FileBrowsingTest : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void mask_data();
  void mask();
  void fullFileName_data();
  void fullFileName();
  void refillsAndSelection();
  void nameField();
  void nameFieldTakesLongNamesWhole();
  void directoryList();
  void driveSelector();
  void filterSelector();

 private:
  QString Path(const QString& name) const { return directory_ + '/' + name; }

  std::unique_ptr<testing_support::TempDir> temp_;
  QString directory_;
};

void FileBrowsingTest::init() {
  temp_ = std::make_unique<testing_support::TempDir>();
  directory_ = QFile::decodeName(temp_->path().c_str());
  for (const char* name :
       {"b.obt", "A.OBT", "c.txt", "README", ".hidden.obt"}) {
    QVERIFY(ui_testing::WriteFiles(directory_, {{name, "x"}}));
  }
  QVERIFY(QDir(directory_).mkdir("d.obt"));
  QVERIFY(QDir(directory_).mkdir("sub"));
  QCOMPARE(::mkfifo(QFile::encodeName(Path("pipe.obt")).constData(), 0600), 0);
}

void FileBrowsingTest::mask_data() {
  QTest::addColumn<QString>("mask");
  QTest::addColumn<QStringList>("listed");
  // Sorted without regard to case; no hidden files, directories or pipes.
  QTest::newRow("obt, any case") << "*.obt" << QStringList{"A.OBT", "b.obt"};
  QTest::newRow("two patterns")
      << "*.obt;*.txt" << QStringList{"A.OBT", "b.obt", "c.txt"};
  QTest::newRow("all, also without a dot")
      << "*.*" << QStringList{"A.OBT", "b.obt", "c.txt", "README"};
  QTest::newRow("one name") << "readme" << QStringList{"README"};
  QTest::newRow("nothing matches") << "*.xyz" << QStringList{};
}

void FileBrowsingTest::mask() {
  QFETCH(QString, mask);
  QFETCH(QStringList, listed);
  ui::FileListBox list;
  list.SetMask(mask);
  list.SetDirectory(directory_);
  QCOMPARE(Names(list), listed);
}

void FileBrowsingTest::fullFileName_data() {
  QTest::addColumn<QString>("directory");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("full");
  QTest::newRow("plain") << "/tmp/x"
                         << "a.obt"
                         << "/tmp/x/a.obt";
  QTest::newRow("root adds no separator") << "/"
                                          << "a.obt"
                                          << "/a.obt";
  QTest::newRow("nothing selected") << "/tmp/x"
                                    << ""
                                    << "";
}

void FileBrowsingTest::fullFileName() {
  QFETCH(QString, directory);
  QFETCH(QString, name);
  QFETCH(QString, full);
  QCOMPARE(ui::FileListBox::JoinFullName(directory, name), full);
}

void FileBrowsingTest::refillsAndSelection() {
  ui::FileListBox list;
  list.SetMask("*.obt");
  list.SetDirectory(directory_);
  QSignalSpy changes(&list, &ui::FileListBox::Changed);

  QVERIFY(Select(&list, "b.obt"));
  QCOMPARE(changes.count(), 1);
  QCOMPARE(list.FileName(), Path("b.obt"));

  list.SetMask("*.obt");  // the same mask: nothing to do
  QCOMPARE(changes.count(), 1);
  QCOMPARE(list.FileName(), Path("b.obt"));

  list.SetMask("*.*");
  QCOMPARE(changes.count(), 2);
  QCOMPARE(list.FileName(), QString());

  QVERIFY(Select(&list, "c.txt"));
  list.SetDirectory(Path("sub"));
  QCOMPARE(changes.count(), 4);
  QCOMPARE(list.count(), 0);
  QCOMPARE(list.FileName(), QString());
}

void FileBrowsingTest::nameField() {
  ui::FileListBox list;
  QLineEdit edit;
  list.SetFileEdit(&edit);
  list.SetMask("*.obt");
  QString text_at_change;
  connect(&list, &ui::FileListBox::Changed, this,
          [&] { text_at_change = edit.text(); });

  list.SetDirectory(directory_);
  QCOMPARE(edit.text(), QStringLiteral("*.obt"));
  QCOMPARE(edit.selectedText(), QStringLiteral("*.obt"));

  QVERIFY(Select(&list, "b.obt"));
  QCOMPARE(edit.text(), QStringLiteral("b.obt"));
  QCOMPARE(edit.selectedText(), QStringLiteral("b.obt"));
  // The field is written before the change is raised.
  QCOMPARE(text_at_change, QStringLiteral("b.obt"));

  list.Refill();
  QCOMPARE(edit.text(), QStringLiteral("*.obt"));
  QCOMPARE(text_at_change, QStringLiteral("*.obt"));
}

void FileBrowsingTest::nameFieldTakesLongNamesWhole() {
  QVERIFY(ui_testing::WriteFiles(directory_, {{"a-long-file-name.obt", "x"}}));
  ui::FileListBox list;
  QLineEdit edit;
  new ui::TypingLimit(12, &edit);
  list.SetFileEdit(&edit);
  list.SetMask("*.obt");
  list.SetDirectory(directory_);
  edit.show();
  QVERIFY(QTest::qWaitForWindowExposed(&edit));

  QTest::keyClicks(&edit, "abcdefghijklmnop");
  QCOMPARE(edit.text(), QStringLiteral("abcdefghijkl"));

  QVERIFY(Select(&list, "a-long-file-name.obt"));
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.obt"));
  // Such a name can be shortened but not lengthened by typing.
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.ob"));
  QTest::keyClick(&edit, 'x');
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.ob"));
}

void FileBrowsingTest::directoryList() {
  QVERIFY(QDir(directory_).mkpath("sub/y"));
  QVERIFY(QDir(directory_).mkpath("sub/x"));
  QVERIFY(QDir(directory_).mkpath("sub/.hidden"));
  ui::FileListBox files;
  ui::DirectoryListBox directories;
  directories.SetFileList(&files);
  QSignalSpy moves(&directories, &ui::DirectoryListBox::DirectoryChanged);

  const QString sub = Path("sub");
  directories.SetDirectory(sub + "/");
  QCOMPARE(directories.Directory(), sub);
  QCOMPARE(files.Directory(), sub);
  QCOMPARE(moves.count(), 1);
  QStringList expected = {"/"};
  expected << sub.split('/', Qt::SkipEmptyParts) << "x"
           << "y";
  QCOMPARE(Names(directories), expected);
  QCOMPARE(directories.currentItem()->text(), QStringLiteral("sub"));

  directories.SetDirectory(Path("missing"));
  QCOMPARE(directories.Directory(), sub);

  directories.show();
  QVERIFY(QTest::qWaitForWindowExposed(&directories));
  QListWidgetItem* child = directories.item(directories.count() - 1);
  directories.scrollToItem(child);
  const QPoint place = directories.visualItemRect(child).center();
  // A double click begins with a click, which moves nothing by itself.
  QTest::mouseClick(directories.viewport(), Qt::LeftButton, {}, place);
  QCOMPARE(directories.Directory(), sub);
  QTest::mouseDClick(directories.viewport(), Qt::LeftButton, {}, place);
  QCOMPARE(directories.Directory(), sub + "/y");
  QCOMPARE(files.Directory(), sub + "/y");

  directories.setCurrentRow(0);
  QTest::keyClick(&directories, Qt::Key_Return);
  QCOMPARE(directories.Directory(), QStringLiteral("/"));
  QCOMPARE(Names(directories).front(), QStringLiteral("/"));
}

void FileBrowsingTest::driveSelector() {
  QCOMPARE(ui::DriveComboBox().itemText(0), QStringLiteral("/"));

  QVERIFY(QDir(directory_).mkpath("a/deep"));
  QVERIFY(QDir(directory_).mkpath("b"));
  const QString a = Path("a");
  const QString b = Path("b");
  ui::DirectoryListBox directories;
  directories.SetDirectory(a + "/deep");
  ui::DriveComboBox drives;
  drives.SetDrives({b, "/", a});
  QCOMPARE(
      (QStringList{drives.itemText(0), drives.itemText(1), drives.itemText(2)}),
      (QStringList{"/", a, b}));
  drives.SetDirList(&directories);
  QCOMPARE(drives.currentText(), a);

  QVERIFY(Choose(&drives, 0));
  QCOMPARE(directories.Directory(), QStringLiteral("/"));
  QVERIFY(Choose(&drives, 2));
  QCOMPARE(directories.Directory(), b);
  QVERIFY(Choose(&drives, 1));
  QCOMPARE(directories.Directory(), a + "/deep");
  // Moving the directory list moves the selector with it.
  directories.SetDirectory(b);
  QCOMPARE(drives.currentText(), b);
}

void FileBrowsingTest::filterSelector() {
  ui::FileListBox files;
  files.SetMask("*.obt");
  files.SetDirectory(directory_);
  ui::FilterComboBox filter;
  filter.SetFilter("OBT-Files|*.obt|Alle Files|*.*");
  filter.SetFileList(&files);
  QCOMPARE(filter.count(), 2);
  QCOMPARE(filter.itemText(0), QStringLiteral("OBT-Files"));
  QCOMPARE(filter.itemText(1), QStringLiteral("Alle Files"));
  QCOMPARE(filter.currentIndex(), 0);
  QCOMPARE(filter.Mask(), QStringLiteral("*.obt"));

  QVERIFY(Choose(&filter, 1));
  QCOMPARE(files.Mask(), QStringLiteral("*.*"));
  QCOMPARE(Names(files), (QStringList{"A.OBT", "b.obt", "c.txt", "README"}));
  QVERIFY(Choose(&filter, 0));
  QCOMPARE(Names(files), (QStringList{"A.OBT", "b.obt"}));

  filter.SetFilter("OBT-Files");
  QCOMPARE(filter.count(), 0);
  QCOMPARE(filter.Mask(), QString());
}

QTEST_MAIN(FileBrowsingTest)
#include "file_browsing_test.moc"
