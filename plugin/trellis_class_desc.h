// The class descriptor of TrellisObject: how the host lists and creates it.
#pragma once
#include "plugapi.h"

class TrellisClassDesc : public ClassDesc {
public:
    int IsPublic() override { return TRUE; }
    void* Create(BOOL loading = FALSE) override;
    const TCHAR* ClassName() override;
    SClass_ID SuperClassID() override;
    Class_ID ClassID() override;
    const TCHAR* Category() override;
};

// The library's one descriptor, built by static initialisation.
ClassDesc* GetTrellisDesc();
