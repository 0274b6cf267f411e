# crlf.cmake -- copies the text file IN to OUT with Windows line endings, for the notices in the
# Windows zip and installer that Notepad and the like show.
#   cmake -DIN=copyright -DOUT=copyright.txt -P crlf.cmake
file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
