#ifndef OBTMIRROR_UI_WIDGETS_TYPING_LIMIT_H_
#define OBTMIRROR_UI_WIDGETS_TYPING_LIMIT_H_

#include <QValidator>

class QLineEdit;

namespace ui {

// Limits what can be typed into an edit to a number of characters, while a
// longer text that the program writes is taken whole (and can then be
// shortened by the user, but not lengthened).
class TypingLimit : public QValidator {
  Q_OBJECT

 public:
  TypingLimit(int limit, QLineEdit* edit);

  State validate(QString& input, int& position) const override;

 private:
  int limit_;
  qsizetype accepted_length_ = 0;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_TYPING_LIMIT_H_
