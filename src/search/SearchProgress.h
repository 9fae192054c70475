#pragma once
// What the walk tells its caller while it runs, and how the caller stops it. The window
// implements it: it shows the count so far and watches for Échap.
#include <cstddef>

class TSearchProgress {
public:
  virtual ~TSearchProgress() = default;
  // Called between files and between the read blocks of a file, so very often: a caller that
  // looks at anything slow looks at it only now and then. True stops the walk: it ends as an
  // error ends it, with the records found so far kept.
  virtual bool StopRequested(size_t foundCount) = 0;
};
