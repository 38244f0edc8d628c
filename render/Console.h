#pragma once

// What morvil-render needs of its console, with each platform's own calls.

// Whether standard error is a terminal, where a progress line may be redrawn.
bool standardErrorIsTerminal();

// Standard output passes bytes as they are: on Windows it would otherwise turn every LF into CR LF and corrupt
// an audio file written to it.
void makeStandardOutputBinary();
