ECHO ON
"/tools/Ardent" last.xml;0001 
"/tools/COBLink" last.xml;0001 
"/tools/Dalmer" last.xml;0002 
"/tools/COBLink" last.xml;0002 
