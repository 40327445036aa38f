#pragma once
// A write past a file-size limit (a quota, a limit set by the shell) would by
// default end the program with SIGXFSZ, in the middle of a save and without a
// word. Ignored, the write fails with EFBIG instead, and the save reports it
// and keeps the old file.

void ignoreFileSizeSignal();
