#include "TForm1.h"
#include "ui_TForm1.h"

void TForm1::Listekaydet1Click() {}

void TForm1::A1Click() {}

void TForm1::DntrerekKaydet1Click() {}
