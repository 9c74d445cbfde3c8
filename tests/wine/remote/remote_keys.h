// Naming remote keys on the command line. The table is the harness's own copy of the remote's
// layout, kept apart from the program's decoder so that a slip in either one shows up in tests.
#pragma once

// The raw code of a key argument, or -1 when it names nothing the remote can send:
//   "raw:N"  raw code N, 0 to 63 (32 to 63 have no button)
//   "power"  the Power button (button 18)
//   "N"      button N as the program numbers them (0 to 31 but 11 and 28, 256, 512)
int rawCodeOfKey(const char* key);

// The button a raw code gives outside Japan mode, or -1 for raw codes without one.
int buttonOfRawCode(unsigned rawCode);
