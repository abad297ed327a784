#pragma once
// VMessages: the one path of every line that the library writes on its own account (a refused
// call, an image that could not be loaded, a context that cannot serve). A program routes them
// into its own log with setSink; by default each line goes, with an end-of-line and a flush, to
// the stream it has always gone to. The diagnostics that a program asks for itself (the print()
// operations) are not messages: they always write to standard output.

#include <string>

class VMessages {
 public:
  /// The stream a line goes to by default.
  enum Stream { msOutput, msError };
  /// Takes one line, without its end-of-line, the stream it would have gone to and the data
  /// given to setSink. Called on the thread that made the call that failed.
  typedef void (*Sink)(Stream stream, const std::string& line, void* data);

  /// Sends every later line to sink, with data; null restores the default streams.
  static void setSink(Sink sink, void* data);
  /// Writes one line through the sink in place.
  static void write(Stream stream, const std::string& line);
};
