// Stand-ins for the maker's library, one per way it can behave; STAND_IN picks the way.
// Plain C-style code only: nothing that would keep the library loaded after dlclose, so a
// file put in its place is really loaded afresh.
// The text is handed over in memory from malloc, which the caller frees.
#include <cstring>

#define EXPORTED extern "C" __attribute__((visibility("default")))

#if STAND_IN == 1 // an address with Japanese in code page 932, "～" (0x8160) among it
// https://ずばら堂.example/ポルカ号～案内?型番=QK31T0207
EXPORTED char* ZubaradoHpURL(void)
{
    return strdup("https://\x82\xb8\x82\xce\x82\xe7\x93\xb0.example/\x83|\x83\x8b\x83J\x8d\x86\x81`\x88\xc4\x93\xe0"
                    "?\x8c^\x94\xd4=QK31T0207");
}
#elif STAND_IN == 2 // an empty address
EXPORTED char* ZubaradoHpURL(void) { return strdup(""); }
#elif STAND_IN == 3 // no address at all
EXPORTED char* ZubaradoHpURL(void) { return nullptr; }
#elif STAND_IN == 4 // bytes that are no code page 932 text: a lead byte with a control character after it
EXPORTED char* ZubaradoHpURL(void) { return strdup("https://\x82\x01.example/"); }
#elif STAND_IN == 5 // the function under a name that differs in letter case only
EXPORTED char* ZubaradoHpUrl(void) { return strdup("https://wrong.example/"); }
#endif
