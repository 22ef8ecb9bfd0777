#pragma once

class MainWindow;
class SingleInstance;

// Photos that a later start of the program hands over join the window's list as a drop on it
// would add them, and the window comes to the front. While a conversion runs (and the list
// takes no drop) they wait for its end rather than being lost.
void receiveHandedOverPhotos(const SingleInstance &instance, MainWindow &window);
