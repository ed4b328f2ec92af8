// Stand-ins for SkinH_EL.dll in the binding tests. Built twice: the probe
// records how SkinH_AttachEx is called; with SKIN_PROBE_WITHOUT_ATTACH it
// is a DLL that loads but lacks that export. Both say that they were loaded
// through an environment variable, which outlives their unloading.
#include <windows.h>

#include <cstring>

extern "C" {

struct ProbeRecord {
  int calls;
  char skinPath[1024];
  bool extraWasEmptyText;  // a pointer to a single zero byte
};

static ProbeRecord g_record;

const ProbeRecord* __stdcall Probe_Record() { return &g_record; }

#ifndef SKIN_PROBE_WITHOUT_ATTACH
int __stdcall SkinH_AttachEx(const char* skinPath, const char* extra) {
  ++g_record.calls;
  lstrcpynA(g_record.skinPath, skinPath ? skinPath : "(null)", sizeof g_record.skinPath);
  g_record.extraWasEmptyText = extra && extra[0] == '\0';
  return 1;
}
#endif

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) SetEnvironmentVariableA("SKIN_PROBE_LOADED", "1");
  return TRUE;
}

}  // extern "C"
