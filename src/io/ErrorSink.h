#pragma once
// Where the core reports a failure that it otherwise only traces or passes
// over: a file that cannot be read or written, a poll that got no draw. The
// core still behaves as before; a sink only hears about it.
//
// Whoever hands a sink down says from which threads it is called.

#include <string>

namespace pk10 {

class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    // One line of text, without a line end (for a file, the trace line's text).
    virtual void ReportError(const std::string& text) = 0;
};

}  // namespace pk10
