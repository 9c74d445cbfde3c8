// The common controls' window classes (the list views of the monitor and the teaching dialog).
#pragma once

// Loads the library and registers its list view class, the first time it is asked for: a
// program that nobody looks at does not carry it. It stays loaded, as the class it registered
// must.
void loadListViewClass();
