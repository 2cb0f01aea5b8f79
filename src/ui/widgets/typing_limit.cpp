#include "ui/widgets/typing_limit.h"

#include <QLineEdit>

namespace ui {

TypingLimit::TypingLimit(int limit, QLineEdit* edit)
    : QValidator(edit), limit_(limit), accepted_length_(edit->text().size()) {
  // The edit validates the text after the change, so the length before it
  // is kept here.
  connect(edit, &QLineEdit::textChanged, this,
          [this](const QString& text) { accepted_length_ = text.size(); });
  edit->setValidator(this);
}

QValidator::State TypingLimit::validate(QString& input, int&) const {
  if (input.size() > limit_ && input.size() > accepted_length_) {
    return Invalid;
  }
  return Acceptable;
}

}  // namespace ui
