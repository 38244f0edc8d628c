#pragma once

// What the program sets on the application before it creates its windows.
void setUpApplication();
