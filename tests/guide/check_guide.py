#!/usr/bin/python3
"""Every link and picture of the built user guide resolves.

    check_guide.py GUIDE_DIR PENDING_LIST

A link to another page must name a page of the guide, and its anchor one
of that page's headings; a picture must be there, unless it is one of the
screenshots listed in PENDING_LIST, which are taken later by
scripts/guide-screenshots. A listed screenshot that is there, or that no page
shows, is an error too, so the list never goes stale. Web and mail links
are only checked for their form.
"""

import html.parser
import pathlib
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.anchors = set()
        self.links = []
        self.images = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("id", "name"):
            if attrs.get(key) and (key == "id" or tag == "a"):
                self.anchors.add(attrs[key])
        if tag == "a" and "href" in attrs:
            self.links.append(attrs["href"])
        if tag == "img":
            self.images.append(attrs.get("src", ""))


def read_pending(path):
    names = set()
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            names.add("images/" + line)
    return names


def main():
    guide = pathlib.Path(sys.argv[1])
    pending = read_pending(pathlib.Path(sys.argv[2]))
    pages = {}
    for path in sorted(guide.glob("*.html")):
        page = Page()
        page.feed(path.read_text(encoding="utf-8"))
        pages[path.name] = page
    if "index.html" not in pages:
        print("the guide has no index.html in %s" % guide)
        return 1

    faults = []
    shown = set()
    for name, page in pages.items():
        for link in page.links:
            url = urllib.parse.urlsplit(link)
            if url.scheme in ("http", "https"):
                if not url.netloc:
                    faults.append("%s: web link without a host: %s" % (name, link))
                continue
            if url.scheme == "mailto":
                if "@" not in url.path:
                    faults.append("%s: mail link without an address: %s" % (name, link))
                continue
            if url.scheme or url.netloc:
                faults.append("%s: link of an unknown kind: %s" % (name, link))
                continue
            target = url.path or name
            if target not in pages:
                faults.append("%s: link to a page that is not there: %s" % (name, link))
            elif url.fragment and url.fragment not in pages[target].anchors:
                faults.append("%s: link to an anchor that is not there: %s" % (name, link))
        for src in page.images:
            shown.add(src)
            if (guide / src).is_file():
                continue
            if src not in pending:
                faults.append("%s: picture that is not there: %s" % (name, src))
    for src in sorted(pending):
        if (guide / src).is_file():
            faults.append("%s is there now: take it off the pending list" % src)
        elif src not in shown:
            faults.append("%s is on the pending list, but no page shows it" % src)

    for fault in faults:
        print(fault)
    print("%d pages checked, %d faults" % (len(pages), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
