// VDisplayLists: display lists kept by the program itself, for a GL that has none (a core
// profile, OpenGL ES, WebGL).
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

// A list is the sequence of calls made between newList and endList, recorded as plain values.
// Only the calls that make sense in the lists of an immediate-mode program are kept: the
// primitive brackets, vertices, texture coordinates, colours and model-view translations and
// scalings. A caller that records anything else is told so (see VGLRenderer), never given a list
// that silently draws something else.
class VDisplayLists {
 public:
  enum class Op : std::uint8_t { Begin, End, Vertex, TexCoord, Color, Translate, Scale };

  struct Call {
    Op op;
    unsigned int mode;  // the primitive of Begin
    float v[4];
  };

  using List = std::vector<Call>;

  // Names `count` consecutive names that no list and no earlier generation holds and returns
  // the first; 0 for a count below 1 or when no such range is left, as GL does. A generated name
  // holds no list until one is recorded into it: calling it draws nothing.
  unsigned int generate(int count);
  // Forgets the lists first .. first + count - 1 (the range ends at the largest name).
  void remove(unsigned int first, int count);

  // Starts recording into list `name`, replacing what it held; false for name 0 or while
  // another list is being recorded (GL's invalid value and invalid operation).
  bool open(unsigned int name);
  // True while a list is being recorded.
  bool recording() const { return Open != 0; }
  void record(const Call& call);
  // Ends the recording; false when none was open.
  bool close();

  // The list of that name, or null when there is none (calling it then does nothing).
  const List* find(unsigned int name) const;

  unsigned int getBase() const { return Base; }
  void setBase(unsigned int base) { Base = base; }

  // The list a glCallLists entry calls: base + offset in unsigned arithmetic, as GL does.
  unsigned int nameAt(int offset) const { return Base + static_cast<unsigned int>(offset); }

 private:
  std::map<unsigned int, List> Lists;
  // Names below this were handed out by generate, so that two generations never overlap.
  unsigned int NextName = 1;
  unsigned int Open = 0;
  List Recording;
  unsigned int Base = 0;
};
