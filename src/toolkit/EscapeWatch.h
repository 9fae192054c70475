#pragma once
// Échap during a long operation that keeps the message loop waiting (a walk, a load): now and
// then the operation looks at the keys in the queue, and at nothing else, so mouse input and
// the rest wait as before. Échap asks the operation to stop; the other keys are kept, in their
// order, and given back to the queue when the watch ends, so that nothing typed is lost.
#include <windows.h>

#include <vector>

class TEscapeWatch {
public:
  // Often enough to answer a key at once, seldom enough that looking costs nothing.
  static constexpr DWORD IntervalMs = 100;

  TEscapeWatch();
  ~TEscapeWatch();
  TEscapeWatch(const TEscapeWatch&) = delete;
  TEscapeWatch& operator=(const TEscapeWatch&) = delete;

  // True once the interval has passed since the watch began or since this last said true.
  bool Due();
  // Takes the keys waiting now off the queue; true once Échap has been pressed in the watch.
  bool EscapePressed();
  // Both at once, for a caller that has nothing else to do at each look.
  bool StopRequested() { return Due() && EscapePressed(); }

private:
  DWORD FLast;
  bool FPressed = false;
  std::vector<MSG> FHeld;
};
