#include "typing_limit.h"

#include <QLineEdit>

TypingLimit::TypingLimit(QLineEdit& edit, bool digitsOnly)
    : QValidator(&edit), digitsOnly_(digitsOnly) {
  // The field asks with its text already changed: the size to compare with
  // is that of the text it held before.
  connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { shownSize_ = text.size(); });
}

QValidator::State TypingLimit::validate(QString& input, int&) const {
  if (digitsOnly_) {
    for (QChar c : input) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Invalid;
    }
  }
  bool grows = input.size() > shownSize_;
  return grows && input.size() > characters_ ? Invalid : Acceptable;
}
