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

QStringList Names(const QListWidget& list) {
  QStringList names;
  for (int i = 0; i < list.count(); ++i) names << list.item(i)->text();
  return names;
}

void SelectName(QListWidget& list, const QString& name) {
  const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
  QVERIFY(!found.isEmpty());
  list.setCurrentItem(found.front());
}

// What the user's choice in a drop-down list does.
void Choose(QComboBox& list, int index) {
  list.setCurrentIndex(index);
  emit list.activated(index);
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
  std::unique_ptr<QTemporaryDir> directory_;
};

void FileBrowsingTest::init() {
  directory_ = std::make_unique<QTemporaryDir>();
  for (const char* name :
       {"b.obt", "A.OBT", "c.txt", "README", ".hidden.obt"}) {
    ui_testing::WriteFile(directory_->filePath(name), "x");
  }
  QDir(directory_->path()).mkdir("d.obt");
  QDir(directory_->path()).mkdir("sub");
  ::mkfifo(directory_->filePath("pipe.obt").toLocal8Bit().constData(), 0600);
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
  list.SetDirectory(directory_->path());
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
  list.SetDirectory(directory_->path());
  QSignalSpy changes(&list, &ui::FileListBox::Changed);

  SelectName(list, "b.obt");
  QCOMPARE(changes.count(), 1);
  QCOMPARE(list.FileName(), directory_->filePath("b.obt"));

  list.SetMask("*.obt");  // the same mask: nothing to do
  QCOMPARE(changes.count(), 1);
  QCOMPARE(list.FileName(), directory_->filePath("b.obt"));

  list.SetMask("*.*");
  QCOMPARE(changes.count(), 2);
  QCOMPARE(list.FileName(), QString());

  SelectName(list, "c.txt");
  list.SetDirectory(directory_->filePath("sub"));
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

  list.SetDirectory(directory_->path());
  QCOMPARE(edit.text(), QStringLiteral("*.obt"));
  QCOMPARE(edit.selectedText(), QStringLiteral("*.obt"));

  SelectName(list, "b.obt");
  QCOMPARE(edit.text(), QStringLiteral("b.obt"));
  QCOMPARE(edit.selectedText(), QStringLiteral("b.obt"));
  // The field is written before the change is raised.
  QCOMPARE(text_at_change, QStringLiteral("b.obt"));

  list.Refill();
  QCOMPARE(edit.text(), QStringLiteral("*.obt"));
  QCOMPARE(text_at_change, QStringLiteral("*.obt"));
}

void FileBrowsingTest::nameFieldTakesLongNamesWhole() {
  ui_testing::WriteFile(directory_->filePath("a-long-file-name.obt"), "x");
  ui::FileListBox list;
  QLineEdit edit;
  new ui::TypingLimit(12, &edit);
  list.SetFileEdit(&edit);
  list.SetMask("*.obt");
  list.SetDirectory(directory_->path());
  edit.show();
  QVERIFY(QTest::qWaitForWindowExposed(&edit));

  QTest::keyClicks(&edit, "abcdefghijklmnop");
  QCOMPARE(edit.text(), QStringLiteral("abcdefghijkl"));

  SelectName(list, "a-long-file-name.obt");
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.obt"));
  // Such a name can be shortened but not lengthened by typing.
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.ob"));
  QTest::keyClick(&edit, 'x');
  QCOMPARE(edit.text(), QStringLiteral("a-long-file-name.ob"));
}

void FileBrowsingTest::directoryList() {
  QDir(directory_->path()).mkpath("sub/y");
  QDir(directory_->path()).mkpath("sub/x");
  QDir(directory_->path()).mkpath("sub/.hidden");
  ui::FileListBox files;
  ui::DirectoryListBox directories;
  directories.SetFileList(&files);
  QSignalSpy moves(&directories, &ui::DirectoryListBox::DirectoryChanged);

  const QString sub = directory_->filePath("sub");
  directories.SetDirectory(sub + "/");
  QCOMPARE(directories.Directory(), sub);
  QCOMPARE(files.Directory(), sub);
  QCOMPARE(moves.count(), 1);
  QStringList expected = {"/"};
  expected << sub.split('/', Qt::SkipEmptyParts) << "x"
           << "y";
  QCOMPARE(Names(directories), expected);
  QCOMPARE(directories.currentItem()->text(), QStringLiteral("sub"));

  directories.SetDirectory(directory_->filePath("missing"));
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

  QDir(directory_->path()).mkpath("a/deep");
  QDir(directory_->path()).mkpath("b");
  const QString a = directory_->filePath("a");
  const QString b = directory_->filePath("b");
  ui::DirectoryListBox directories;
  directories.SetDirectory(a + "/deep");
  ui::DriveComboBox drives;
  drives.SetDrives({b, "/", a});
  QCOMPARE(
      (QStringList{drives.itemText(0), drives.itemText(1), drives.itemText(2)}),
      (QStringList{"/", a, b}));
  drives.SetDirList(&directories);
  QCOMPARE(drives.currentText(), a);

  Choose(drives, 0);
  QCOMPARE(directories.Directory(), QStringLiteral("/"));
  Choose(drives, 2);
  QCOMPARE(directories.Directory(), b);
  Choose(drives, 1);
  QCOMPARE(directories.Directory(), a + "/deep");
  // Moving the directory list moves the selector with it.
  directories.SetDirectory(b);
  QCOMPARE(drives.currentText(), b);
}

void FileBrowsingTest::filterSelector() {
  ui::FileListBox files;
  files.SetMask("*.obt");
  files.SetDirectory(directory_->path());
  ui::FilterComboBox filter;
  filter.SetFilter("OBT-Files|*.obt|Alle Files|*.*");
  filter.SetFileList(&files);
  QCOMPARE(filter.count(), 2);
  QCOMPARE(filter.itemText(0), QStringLiteral("OBT-Files"));
  QCOMPARE(filter.itemText(1), QStringLiteral("Alle Files"));
  QCOMPARE(filter.currentIndex(), 0);
  QCOMPARE(filter.Mask(), QStringLiteral("*.obt"));

  Choose(filter, 1);
  QCOMPARE(files.Mask(), QStringLiteral("*.*"));
  QCOMPARE(Names(files), (QStringList{"A.OBT", "b.obt", "c.txt", "README"}));
  Choose(filter, 0);
  QCOMPARE(Names(files), (QStringList{"A.OBT", "b.obt"}));

  filter.SetFilter("OBT-Files");
  QCOMPARE(filter.count(), 0);
  QCOMPARE(filter.Mask(), QString());
}

QTEST_MAIN(FileBrowsingTest)
#include "file_browsing_test.moc"
