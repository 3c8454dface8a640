// What an edit field lets the user type: digits only where its style says
// so, and no more characters than its typing limit. The limit holds for
// typing only: text that the program sets may be longer, and the user may
// still shorten it.
#pragma once

#include <QValidator>

class QLineEdit;

class TypingLimit : public QValidator {
 public:
  TypingLimit(QLineEdit& edit, bool digitsOnly);
  void SetCharacters(int characters) { characters_ = characters; }
  State validate(QString& input, int& position) const override;

 private:
  bool digitsOnly_;
  int characters_ = 30000;  // an edit field's own limit
  int shownSize_ = 0;       // characters of the last text the field accepted
};
