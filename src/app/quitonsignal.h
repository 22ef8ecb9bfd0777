#pragma once

// Makes SIGINT, SIGTERM and SIGHUP (a closed terminal, the session ending) quit the application
// from its event loop, as closing the window does: a conversion stops after the photos in flight
// and leaves no temporary file behind. Call once, after the application exists.
void quitOnSignals();
