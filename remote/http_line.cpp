// SPDX-FileCopyrightText: 2026 ORX frekvenca developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "http_line.h"

#include <QList>
#include <algorithm>

namespace orx::remote {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A character of an HTTP token, as a method or a header's name is made of.
bool IsTokenCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) ||
         QByteArray("!#$%&'*+-.^_`|~").contains(c);
}

bool IsToken(const QByteArray& word) {
  return !word.isEmpty() && std::all_of(word.begin(), word.end(), IsTokenCharacter);
}

// "HTTP/1.1", "HTTP/1.0", "HTTP/2", in any letter case.
bool IsVersion(const QByteArray& word) {
  if (!word.toUpper().startsWith("HTTP/")) return false;
  const QByteArray number = word.mid(5);
  if (number.size() == 1) return IsDigit(number[0]);
  return number.size() == 3 && IsDigit(number[0]) && number[1] == '.' && IsDigit(number[2]);
}

// METHOD SP TARGET SP HTTP/x.y
bool IsRequestLine(const QByteArray& line) {
  const QList<QByteArray> words = line.simplified().split(' ');
  return words.size() == 3 && IsToken(words[0]) && IsVersion(words[2]);
}

// The fields a browser puts into its requests, fetch() and a form's submission alike.
bool IsBrowserField(const QByteArray& name) {
  static const QList<QByteArray> kFields = {"host",
                                            "origin",
                                            "referer",
                                            "user-agent",
                                            "content-type",
                                            "content-length",
                                            "accept",
                                            "accept-encoding",
                                            "accept-language",
                                            "connection",
                                            "cookie",
                                            "cache-control",
                                            "pragma",
                                            "upgrade",
                                            "upgrade-insecure-requests",
                                            "transfer-encoding",
                                            "dnt",
                                            "priority",
                                            "authorization",
                                            "expect",
                                            "te",
                                            "keep-alive",
                                            "proxy-connection",
                                            "if-modified-since",
                                            "if-none-match",
                                            "range"};
  // The Sec- fields (Sec-Fetch-*, Sec-CH-UA*, Sec-WebSocket-*) are the browser's own.
  return name.startsWith("sec-") || kFields.contains(name);
}

// Name: value
bool IsHeaderLine(const QByteArray& line) {
  const QByteArray name = line.left(line.indexOf(':'));  // all of it when there is no colon
  return name.size() < line.size() && IsToken(name) && IsBrowserField(name.toLower());
}

}  // namespace

bool IsHttpLine(const QByteArray& line) {
  return IsRequestLine(line) || IsHeaderLine(line);
}

}  // namespace orx::remote
