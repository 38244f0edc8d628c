#pragma once

// What the program sets on the application before it creates its windows: its name,
// icon, style and the fonts that stand in for the design's. Can be run again.
void setUpApplication();
