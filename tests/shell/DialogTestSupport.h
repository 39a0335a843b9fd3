#pragma once
// Helpers of the dialog tests: recorded messages with scripted answers, and
// finding a control by its caption as a user would.

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "shell/core/UserMessages.h"

namespace tessaly::shell {

class TRecordingMessages : public TUserMessages {
 public:
  void Inform(const std::string& text) override { Shown.push_back(text); }
  bool Confirm(const std::string& question) override {
    Asked.push_back(question);
    if (Answers.empty()) return false;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  std::vector<std::string> Shown;
  std::vector<std::string> Asked;
  std::deque<bool> Answers;
};

// The control of type T whose accessible name is `caption`; fails the test
// when there is none or more than one.
template <typename T>
T* Control(QWidget& dialog, const QString& caption) {
  T* found = nullptr;
  int count = 0;
  for (T* child : dialog.findChildren<T*>()) {
    if (child->accessibleName() == caption) {
      found = child;
      ++count;
    }
  }
  EXPECT_EQ(count, 1) << caption.toStdString();
  return found;
}

// Clicks the button captioned `caption`.
inline void Click(QWidget& dialog, const QString& caption) {
  QAbstractButton* button = Control<QAbstractButton>(dialog, caption);
  ASSERT_NE(button, nullptr) << caption.toStdString();
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace tessaly::shell
