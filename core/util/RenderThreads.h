#pragma once

// How many threads the per-pixel loops run on. 0 (the default) means one per core.
void SetRenderThreads(int count);
// The count in force: at least 1.
int RenderThreads();
