#include "TForm1.h"
#include "ui_TForm1.h"

void TForm1::BaslikCDblClick() {}

void TForm1::mnbkExecute() {}

void TForm1::SimgClick()
{
    SpeedButton8Click();
    showMinimized();
}

void TForm1::KaptClick()
{
    close();
}

void TForm1::k1Click()
{
    close();
}

void TForm1::ListeGizleGster1Click() {}

void TForm1::KontrollerDblClick() {}

void TForm1::ApplicationEvents1Activate() {}

void TForm1::ApplicationEvents1Deactivate() {}

void TForm1::MN80Execute() {}

void TForm1::MN90Execute() {}

void TForm1::MN100Execute() {}

void TForm1::MN110Execute() {}

void TForm1::MN125Execute() {}

void TForm1::MN150Execute() {}

void TForm1::MN200Execute() {}
