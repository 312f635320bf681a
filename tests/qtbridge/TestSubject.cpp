// The test subject's meta-object comes from moc; nothing more to implement here.
#include "TestSubject.h"
