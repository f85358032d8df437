#pragma once
// Message boxes answered by the test: each one recorded, and answered from
// `answers` in turn, then by `respond` when set, else with `fallback`.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/MessageBox.h"

namespace testsupport {

struct BoxLog {
  int Answer(const platform::MessageBoxRequest &request) {
    boxes.push_back(request);
    if (answers.empty())
      return respond ? respond(request) : fallback;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto &box : boxes)
      texts.push_back(box.text);
    return texts;
  }

  std::vector<platform::MessageBoxRequest> boxes;
  std::deque<int> answers;
  std::function<int(const platform::MessageBoxRequest &)> respond;
  int fallback = platform::IDNO;
};

// Every message box the program opens goes to the log while the recorder lives.
class BoxRecorder : public BoxLog {
public:
  BoxRecorder()
      : previous_(platform::SetMessageBoxResponder(
            [this](const platform::MessageBoxRequest &request) { return Answer(request); })) {}
  ~BoxRecorder() { platform::SetMessageBoxResponder(previous_); }
  BoxRecorder(const BoxRecorder &) = delete;
  BoxRecorder &operator=(const BoxRecorder &) = delete;

private:
  platform::MessageBoxResponder previous_;
};

} // namespace testsupport
