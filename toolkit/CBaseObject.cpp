#include "CBaseObject.h"

void CBaseObject::forget()
{
    // The last one out sees every other thread's writes to the object before deleting it.
    if (nbReference.fetch_sub(1, std::memory_order_acq_rel) <= 1) delete this;
}
