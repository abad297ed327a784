// KeepLibrariesLoaded: a shim preloaded into programs under test that makes dlclose a no-op.
//
// The GL driver is loaded and unloaded by libGL itself; once it is gone at exit, LeakSanitizer
// can no longer name the module behind the driver's own allocations and the suppressions in
// tests/lsan.supp cannot match them. Keeping every library mapped until the process ends lets
// the leak check attribute them. Test use only.
extern "C" int dlclose(void*) { return 0; }
