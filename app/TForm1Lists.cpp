#include "TForm1.h"
#include "ui_TForm1.h"

void TForm1::YeniListe1Click() {}

void TForm1::SeiliNotaSil1Click() {}

void TForm1::SeiliNotadeitir1Click() {}

void TForm1::SpeedButton1Click() {}

void TForm1::SpeedButton4Click() {}

void TForm1::SpeedButton2Click() {}

void TForm1::SpeedButton3Click() {}

void TForm1::ListBox1Click() {}

void TForm1::ListBox1DblClick() {}
