#pragma once
// Where the pipeline's stages note their decisions, so that a timeline can
// be read: a test keeps them, the program keeps none.
#include <string>
#include <string_view>
#include <vector>

#include "base/Time.h"

namespace vantrel {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Note(Millis time, std::string_view stage, std::string_view what) = 0;
};

// Notes `what` when there is a sink; the text is made only then.
template <class Make>
void Trace(TraceSink* sink, Millis time, std::string_view stage, Make&& what) {
  if (sink) sink->Note(time, stage, what());
}

// The sink of tests: every note as "time stage: what".
class TraceLog final : public TraceSink {
 public:
  void Note(Millis time, std::string_view stage, std::string_view what) override {
    lines.push_back(std::to_string(time) + " " + std::string(stage) + ": " + std::string(what));
  }
  std::vector<std::string> lines;
};

}  // namespace vantrel
