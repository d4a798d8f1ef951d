#pragma once

class QObject;

// The program's life beyond any one window: the request to end it, and the
// objects that live until it ends (report objects, About boxes).
namespace app::lifetime {

// Asks the message loop to end. Honoured also when no loop runs yet: the main
// block checks it before entering the loop. A non-zero status (a fatal error)
// becomes the program's exit status; a later plain request keeps it.
void requestTerminate(int status = 0);
bool terminateRequested();
int exitStatus();

// Keeps the object until the program ends (or destroyAdopted runs).
void adopt(QObject *object);
int adoptedCount();
void destroyAdopted();

// Forgets an earlier terminate request and its status (tests run several
// windows in one process).
void reset();

} // namespace app::lifetime
