// XT40Root: the base of the framework's objects.
//
// Right behind the table of virtual operations each object carries a 4-byte
// tag: "ILAV" from construction on, "XXXX" once it has been destroyed. Code that
// is handed an object it does not own (a window slot, a dialog pointer kept by
// the host) tests the tag before it uses the object.
#pragma once

namespace tarnik {

class XT40Root {
  public:
    XT40Root();
    virtual ~XT40Root();

    XT40Root(const XT40Root&);
    XT40Root& operator=(const XT40Root&) { return *this; }

    // True while the object lives; false for a null pointer.
    static bool IsValid(const XT40Root* object);

  private:
    char tag_[4];
};

}  // namespace tarnik
