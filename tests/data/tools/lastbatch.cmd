ECHO ON
{tool} out:one\n
@{tool} out:quiet\n

  ECHO OFF
/bin/echo hello  world
"/nonexistent/Ardent" last.xml;0001 
{tool} "out:two words\n" exit:4
/bin/true
{tool} out:kept\n > result.log
REM "/bin/false"
echo on
/bin/echo last