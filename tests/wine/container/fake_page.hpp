#pragma once
// A browser and a document of the container's own, as a page's site hands
// them to a control: each answers only the calls the control makes for the
// page's address. Returned with one reference, as IUnknown*.
struct IUnknown;

IUnknown* new_fake_browser(const wchar_t* address);   // IWebBrowser2: LocationURL
IUnknown* new_fake_document(const wchar_t* address);  // IOleContainer and IHTMLDocument2: URL
