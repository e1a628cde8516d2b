#pragma once
// The transport over libcurl. Each request has its own handle, so one
// transport serves several threads at once.

#include "net/lookup/HttpTransport.h"

class CCurlTransport : public CHttpTransport {
public:
    CCurlTransport();
    CHttpResponse Get(const CHttpRequest& request) override;

    // "VemoLibrary/<version> ( <contact> )", as the services ask clients to
    // name themselves.
    static CString UserAgent();
};
