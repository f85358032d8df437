#pragma once
// Message boxes answered by the test while it lives: each one recorded, and
// answered from `answers` in turn, then with `fallback`.
#include <deque>
#include <string>
#include <vector>

#include "platform/core/MessageBox.h"

namespace testsupport {

class BoxRecorder {
public:
  BoxRecorder()
      : previous_(platform::SetMessageBoxResponder([this](const platform::MessageBoxRequest &request) {
          boxes.push_back(request);
          if (answers.empty())
            return fallback;
          const int answer = answers.front();
          answers.pop_front();
          return answer;
        })) {}
  ~BoxRecorder() { platform::SetMessageBoxResponder(previous_); }
  BoxRecorder(const BoxRecorder &) = delete;
  BoxRecorder &operator=(const BoxRecorder &) = delete;

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto &box : boxes)
      texts.push_back(box.text);
    return texts;
  }

  std::vector<platform::MessageBoxRequest> boxes;
  std::deque<int> answers;
  int fallback = platform::IDNO;

private:
  platform::MessageBoxResponder previous_;
};

} // namespace testsupport
