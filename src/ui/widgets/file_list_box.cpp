#include "ui/widgets/file_list_box.h"

#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>

namespace ui {
namespace {

constexpr int kRowHeight = 16;

// Patterns follow the old rules of the file dialogs: case does not count,
// and "name.*" also matches a name without any extension.
bool MatchesPattern(const QString& name, const QString& pattern) {
  const QRegularExpression expression(
      QRegularExpression::wildcardToRegularExpression(pattern),
      QRegularExpression::CaseInsensitiveOption);
  if (expression.match(name).hasMatch()) return true;
  return pattern.endsWith(QLatin1String(".*")) &&
         !name.contains(QLatin1Char('.')) &&
         expression.match(name + QLatin1Char('.')).hasMatch();
}

}  // namespace

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (!refilling_) RaiseChange();
  });
}

void FileListBox::SetDirectory(const QString& directory) {
  if (directory == directory_) return;
  directory_ = directory;
  Refill();
}

void FileListBox::SetMask(const QString& mask) {
  if (mask == mask_) return;
  mask_ = mask;
  Refill();
}

void FileListBox::Refill() {
  refilling_ = true;
  clear();
  // Hidden files and anything that is not a plain file (devices, pipes,
  // sockets) stay out, like hidden and system files did.
  const QStringList names = QDir(directory_)
                                .entryList(QDir::Files | QDir::NoDotAndDotDot,
                                           QDir::Name | QDir::IgnoreCase);
  for (const QString& name : names) {
    if (!MatchesMask(name, mask_)) continue;
    auto* item = new QListWidgetItem(name, this);
    item->setSizeHint(QSize(0, kRowHeight));
  }
  setCurrentRow(-1);
  clearSelection();
  refilling_ = false;
  RaiseChange();
}

QString FileListBox::FileName() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return QString();
  return JoinFullName(directory_, selected.front()->text());
}

QString FileListBox::JoinFullName(const QString& directory,
                                  const QString& name) {
  if (name.isEmpty()) return QString();
  if (directory.endsWith(QLatin1Char('/'))) return directory + name;
  return directory + QLatin1Char('/') + name;
}

bool FileListBox::MatchesMask(const QString& name, const QString& mask) {
  const QStringList patterns = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (const QString& pattern : patterns) {
    if (MatchesPattern(name, pattern.trimmed())) return true;
  }
  return false;
}

void FileListBox::RaiseChange() {
  if (file_edit_ != nullptr) {
    const QList<QListWidgetItem*> selected = selectedItems();
    file_edit_->setText(selected.isEmpty() ? mask_ : selected.front()->text());
    file_edit_->selectAll();
  }
  emit Changed();
}

}  // namespace ui
