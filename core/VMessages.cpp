// VMessages: the sink in place, and the default one that writes to the standard streams.
#include "core/VMessages.h"

#include <iostream>

namespace {

VMessages::Sink currentSink = nullptr;
void* currentData = nullptr;

}  // namespace

void VMessages::setSink(Sink sink, void* data) {
  currentSink = sink;
  currentData = sink != nullptr ? data : nullptr;
}

void VMessages::write(Stream stream, const std::string& line) {
  if (currentSink != nullptr) {
    currentSink(stream, line, currentData);
    return;
  }
  (stream == msOutput ? std::cout : std::cerr) << line << std::endl;
}
