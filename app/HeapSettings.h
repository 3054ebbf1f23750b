#pragma once
// How the program's heap gives memory back to the system.

// Keeps up to 64 MB of freed heap for reuse instead of handing it back at once, and grows
// the heap in steps of 16 MB. Printing a long report frees and takes back tens of megabytes
// many times; without this most of its time goes to trimming and regrowing the heap.
void KeepFreedHeapForReuse();
