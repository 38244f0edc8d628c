#include "TForm1.h"
#include "ui_TForm1.h"

void TForm1::SpeedButton5Click() {}

void TForm1::DierProgramlar1Click() {}

void TForm1::YeniSrmkontrolYap1Click() {}
