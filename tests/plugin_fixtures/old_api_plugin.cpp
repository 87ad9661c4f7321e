// A plug-in library built for an older SDK interface (12): the loader must
// refuse it. It has no classes and needs nothing of the host.
class ClassDesc;

extern "C" const char* LibDescription() { return "older interface"; }
extern "C" int LibNumberClasses() { return 0; }
extern "C" ClassDesc* LibClassDesc(int) { return nullptr; }
extern "C" unsigned long LibVersion() { return (6000ul << 16) + (12ul << 8); }
