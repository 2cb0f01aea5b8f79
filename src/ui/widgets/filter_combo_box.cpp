#include "ui/widgets/filter_combo_box.h"

#include "ui/widgets/file_list_box.h"

namespace ui {

FilterComboBox::FilterComboBox(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, &FilterComboBox::Choose);
}

void FilterComboBox::SetFilter(const QString& filter) {
  filter_ = filter;
  masks_.clear();
  clear();
  const QStringList parts = filter.split(QLatin1Char('|'));
  // A description without a mask after it lists nothing.
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    addItem(parts[i]);
    masks_.append(parts[i + 1]);
  }
  setCurrentIndex(masks_.isEmpty() ? -1 : 0);
}

QString FilterComboBox::Mask() const {
  const int index = currentIndex();
  return index < 0 ? QString() : masks_[index];
}

void FilterComboBox::Choose(int index) {
  if (file_list_ != nullptr && index >= 0) file_list_->SetMask(masks_[index]);
}

}  // namespace ui
