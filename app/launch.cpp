#include "app/TForm1.h"

// Game launch: filled in by the launch work.
void TForm1::LaunchVKR(const std::string&, int) {}
void TForm1::BitBtn3Click() {}
void TForm1::BitBtn2Click() {}
void TForm1::VKRPreferences1Click() {}
