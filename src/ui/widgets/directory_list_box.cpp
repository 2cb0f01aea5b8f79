#include "ui/widgets/directory_list_box.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "ui/widgets/file_list_box.h"

namespace ui {
namespace {

constexpr int kRowHeight = 16;
constexpr int kIndentPerLevel = 10;
constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;

// Shifts each entry right by its depth, so the path reads as a tree.
class IndentDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.setLeft(option.rect.left() +
                          index.data(kLevelRole).toInt() * kIndentPerLevel);
    QStyledItemDelegate::paint(painter, indented, index);
  }
};

}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setItemDelegate(new IndentDelegate(this));
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](const QListWidgetItem* item) { Enter(item); });
}

void DirectoryListBox::SetDirectory(const QString& directory) {
  if (!QFileInfo(directory).isDir()) return;
  const QString cleaned = QDir::cleanPath(QDir(directory).absolutePath());
  if (cleaned == directory_) return;
  directory_ = cleaned;
  Refill();
  if (file_list_ != nullptr) file_list_->SetDirectory(directory_);
  emit DirectoryChanged(directory_);
}

void DirectoryListBox::SetFileList(FileListBox* file_list) {
  file_list_ = file_list;
  if (file_list_ != nullptr && !directory_.isEmpty()) {
    file_list_->SetDirectory(directory_);
  }
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Enter(currentItem());
    return;
  }
  QListWidget::keyPressEvent(event);
}

void DirectoryListBox::Refill() {
  clear();
  const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
  auto add = [this](const QString& text, const QString& path, int level,
                    const QIcon& icon) {
    auto* item = new QListWidgetItem(icon, text, this);
    item->setData(kPathRole, path);
    item->setData(kLevelRole, level);
    item->setSizeHint(QSize(0, kRowHeight));
    return item;
  };

  QString path = QStringLiteral("/");
  QListWidgetItem* current = add(path, path, 0, open_icon);
  const QStringList parts =
      directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  int level = 0;
  for (const QString& part : parts) {
    path = FileListBox::JoinFullName(path, part);
    current = add(part, path, ++level, open_icon);
  }
  const QStringList children = QDir(directory_)
                                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                              QDir::Name | QDir::IgnoreCase);
  for (const QString& child : children) {
    add(child, FileListBox::JoinFullName(directory_, child), level + 1,
        closed_icon);
  }
  setCurrentItem(current);
}

void DirectoryListBox::Enter(const QListWidgetItem* item) {
  if (item != nullptr) SetDirectory(item->data(kPathRole).toString());
}

}  // namespace ui
