#pragma once
// Common base of the socket objects and components, so that a handler's Sender
// can be any of them and be told apart by a run-time class test.

namespace platform {

class TObject {
public:
  TObject() = default;
  TObject(const TObject &) = delete;
  TObject &operator=(const TObject &) = delete;
  virtual ~TObject() = default;
};

} // namespace platform
