<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko">
<context>
    <name>Pellin</name>
    <message>
        <source>속성 값</source>
        <translation>Attribute Values</translation>
    </message>
    <message>
        <source>작업 내역</source>
        <translation>History</translation>
    </message>
    <message>
        <source>타일 속성 지정</source>
        <translation>Set Tile Attribute</translation>
    </message>
    <message>
        <source>편집 도구 모음</source>
        <translation>Edit Toolbar</translation>
    </message>
    <message>
        <source>커서 위치</source>
        <translation>Cursor position</translation>
    </message>
    <message>
        <source>0000, 0000  타일 00000  속성 00000  선택 0000 x 0000</source>
        <translation>0000, 0000  Tile 00000  Attr 00000  Selection 0000 x 0000</translation>
    </message>
    <message>
        <source>확대 비율</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>없음</source>
        <translation>None</translation>
    </message>
    <message>
        <source>속성 값 화일이 손상되어 무시했습니다: </source>
        <translation>The attribute value file is damaged and was ignored: </translation>
    </message>
    <message>
        <source>속성 값 화일을 저장하지 못했습니다: </source>
        <translation>Could not save the attribute value file: </translation>
    </message>
    <message>
        <source>자동 타일 규칙 화일이 손상되어 무시했습니다: </source>
        <translation>The auto-tile rules file is damaged and was ignored: </translation>
    </message>
    <message>
        <source>자동 타일 규칙 화일을 저장하지 못했습니다: </source>
        <translation>Could not save the auto-tile rules file: </translation>
    </message>
    <message>
        <source>%1행 %2열 </source>
        <translation>row %1, column %2 </translation>
    </message>
    <message>
        <source>타일 크기가 다릅니다 (%1 x %2, 이 맵은 %3 x %4)</source>
        <translation>The tile sizes differ (%1 x %2; this map has %3 x %4)</translation>
    </message>
    <message>
        <source>붙여넣을 타일 %1개가 이 타일 세트에 없습니다</source>
        <translation>%1 of the tiles to paste are not in this tile set</translation>
    </message>
    <message>
        <source>붙여넣을 셀이 지도보다 많습니다: %1 x %2 (지도 %3 x %4)</source>
        <translation>More cells to paste than the map has: %1 x %2 (map %3 x %4)</translation>
    </message>
    <message>
        <source>붙여넣을 수 없는 값입니다: %1%2</source>
        <translation>Cannot paste this value: %1%2</translation>
    </message>
    <message>
        <source> (타일 세트에 없는 번호)</source>
        <translation> (no such tile number in the tile set)</translation>
    </message>
    <message>
        <source> (-32768 ~ 32767 밖의 값)</source>
        <translation> (outside -32768 to 32767)</translation>
    </message>
    <message>
        <source>붙여넣을 셀이 없습니다</source>
        <translation>There are no cells to paste</translation>
    </message>
    <message>
        <source>지도를 생성할수 없습니다.</source>
        <translation>Cannot create the map.</translation>
    </message>
    <message>
        <source>지도 속성을 생성할수 없습니다.</source>
        <translation>Cannot create the map attributes.</translation>
    </message>
    <message>
        <source>지도가 너무 큽니다. 16384 x 16384칸(268,435,456칸)까지 만들 수 있습니다.</source>
        <translation>The map is too large. Maps can have up to 16384 x 16384 cells (268,435,456 cells).</translation>
    </message>
    <message>
        <source>비트맵 화일이 아닙니다</source>
        <translation>Not a bitmap file</translation>
    </message>
    <message>
        <source>메모리 확보에 실패했습니다.(DIB)</source>
        <translation>Out of memory. (DIB)</translation>
    </message>
    <message>
        <source>메모리 확보에 실패했습니다.(Sprite Info)</source>
        <translation>Out of memory. (Sprite Info)</translation>
    </message>
    <message>
        <source>그림의 투명한 부분을 검은색으로 채웠습니다</source>
        <translation>Transparent parts of the picture were filled with black</translation>
    </message>
    <message>
        <source>화일을 열 수 없습니다.</source>
        <translation>Cannot open the file.</translation>
    </message>
    <message>
        <source>화일을 읽을 수 없습니다.</source>
        <translation>Cannot read the file.</translation>
    </message>
    <message>
        <source>타일은 32767개까지만 만들 수 있어 나머지는 자르지 않았습니다</source>
        <translation>Only 32767 tiles can be made; the rest was not cut</translation>
    </message>
    <message>
        <source>맵 화일을 열 수 없습니다</source>
        <translation>Cannot open the map file</translation>
    </message>
    <message>
        <source>올바른 맵 화일이 아닙니다</source>
        <translation>Not a valid map file</translation>
    </message>
    <message>
        <source>맵 화일을 저장할 수 없습니다</source>
        <translation>Cannot save the map file</translation>
    </message>
    <message>
        <source>타일이 너무 많아 저장할 수 없습니다</source>
        <translation>Too many tiles to save</translation>
    </message>
    <message>
        <source>타일의 색 형식이 서로 달라 저장할 수 없습니다</source>
        <translation>Cannot save: the tiles have different colour formats</translation>
    </message>
    <message>
        <source>스탬프 </source>
        <translation>Stamp </translation>
    </message>
    <message>
        <source>스탬프 모음 파일을 읽을 수 없어 빈 스탬프 모음으로 시작합니다: %1</source>
        <translation>Cannot read the stamp collection file; starting with an empty collection: %1</translation>
    </message>
    <message>
        <source>스탬프 모음 파일이 손상되어 %1(으)로 옮기고 빈 스탬프 모음으로 시작합니다</source>
        <translation>The stamp collection file is damaged; moved it to %1 and starting with an empty collection</translation>
    </message>
    <message>
        <source>타일 층의 데이터가 손상되었습니다</source>
        <translation>The tile layer data is damaged</translation>
    </message>
    <message>
        <source>타일 층의 압축 방식 &quot;%1&quot;은(는) 읽을 수 없습니다</source>
        <translation>Cannot read the tile layer&apos;s compression &quot;%1&quot;</translation>
    </message>
    <message>
        <source>타일 층의 인코딩 &quot;%1&quot;은(는) 읽을 수 없습니다</source>
        <translation>Cannot read the tile layer&apos;s encoding &quot;%1&quot;</translation>
    </message>
    <message>
        <source>메모리가 부족해 타일 층을 읽을 수 없습니다</source>
        <translation>Not enough memory to read the tile layer</translation>
    </message>
    <message>
        <source>타일 층의 칸 수가 맵의 크기와 맞지 않습니다</source>
        <translation>The tile layer&apos;s cell count does not match the map size</translation>
    </message>
    <message>
        <source>(칸 %1, %2)</source>
        <translation>(cell %1, %2)</translation>
    </message>
    <message>
        <source>&lt;%1&gt;의 %2 값 &quot;%3&quot;이(가) 올바르지 않습니다</source>
        <translation>The %2 value &quot;%3&quot; of &lt;%1&gt; is not valid</translation>
    </message>
    <message>
        <source>%1
화일을 열 수 없습니다</source>
        <translation>%1
Cannot open the file</translation>
    </message>
    <message>
        <source>메모리가 부족해 화일을 읽을 수 없습니다</source>
        <translation>Not enough memory to read the file</translation>
    </message>
    <message>
        <source>%1
%2이 아닙니다 (XML 오류: %3, %4번째 바이트)</source>
        <translation>%1
Not a %2 (XML error: %3, at byte %4)</translation>
    </message>
    <message>
        <source>%1
%2이 아닙니다</source>
        <translation>%1
Not a %2</translation>
    </message>
    <message>
        <source>타일 %1의 속성 &quot;%2&quot;은(는) 0에서 255 사이의 정수여야 합니다</source>
        <translation>The attribute &quot;%2&quot; of tile %1 must be a whole number from 0 to 255</translation>
    </message>
    <message>
        <source>타일셋 화일(.tsx)</source>
        <translation>tileset file (.tsx)</translation>
    </message>
    <message>
        <source>타일셋의 타일 크기(%1x%2)가 맵의 타일 크기(%3x%4)와 다릅니다</source>
        <translation>The tileset&apos;s tile size (%1x%2) differs from the map&apos;s tile size (%3x%4)</translation>
    </message>
    <message>
        <source>타일마다 그림이 따로 있는 타일셋은 가져올 수 없습니다</source>
        <translation>Tilesets with a separate picture for each tile cannot be imported</translation>
    </message>
    <message>
        <source>%1
타일셋 그림을 열 수 없습니다</source>
        <translation>%1
Cannot open the tileset picture</translation>
    </message>
    <message>
        <source>메모리가 부족해 타일셋 그림을 읽을 수 없습니다</source>
        <translation>Not enough memory to read the tileset picture</translation>
    </message>
    <message>
        <source>%1
타일셋 그림이 비트맵 화일이 아닙니다</source>
        <translation>%1
The tileset picture is not a bitmap file</translation>
    </message>
    <message>
        <source>32비트 타일셋 그림은 타일로 자를 수 없습니다 (8, 16, 24비트만 됩니다)</source>
        <translation>32-bit tileset pictures cannot be cut into tiles (only 8, 16 and 24 bits)</translation>
    </message>
    <message>
        <source>타일셋 그림에서 여백(margin)과 간격(spacing)을 빼면 온전한 타일이 하나도 없습니다</source>
        <translation>After the margin and spacing, the tileset picture holds no whole tile</translation>
    </message>
    <message>
        <source>타일셋의 타일이 %1개보다 많아 가져올 수 없습니다</source>
        <translation>The tileset has more than %1 tiles and cannot be imported</translation>
    </message>
    <message>
        <source>메모리가 부족해 타일을 만들 수 없습니다</source>
        <translation>Not enough memory to make the tiles</translation>
    </message>
    <message>
        <source>타일 층에 데이터가 없습니다</source>
        <translation>The tile layer has no data</translation>
    </message>
    <message>
        <source>뒤집거나 돌린 타일은 가져올 수 없습니다 %1</source>
        <translation>Flipped or rotated tiles cannot be imported %1</translation>
    </message>
    <message>
        <source>타일셋에 없는 타일(gid %1)을 가리키는 칸이 있습니다 %2</source>
        <translation>A cell points to a tile that is not in the tileset (gid %1) %2</translation>
    </message>
    <message>
        <source>속성 객체 %1</source>
        <translation>attribute object %1</translation>
    </message>
    <message>
        <source>%1의 속성 &quot;%2&quot;은(는) -32768에서 32767 사이의 정수여야 합니다</source>
        <translation>The attribute &quot;%2&quot; of %1 must be a whole number from -32768 to 32767</translation>
    </message>
    <message>
        <source>%1이(가) 칸에 맞게 놓여 있지 않습니다</source>
        <translation>%1 is not aligned to the cells</translation>
    </message>
    <message>
        <source>%1이(가) 맵 밖에 있습니다</source>
        <translation>%1 lies outside the map</translation>
    </message>
    <message>
        <source>맵 속성 colours가 올바르지 않습니다</source>
        <translation>The map property colours is not valid</translation>
    </message>
    <message>
        <source>TMX 맵 화일</source>
        <translation>TMX map file</translation>
    </message>
    <message>
        <source>직교(orthogonal) 맵만 가져올 수 있습니다 (이 맵은 %1)</source>
        <translation>Only orthogonal maps can be imported (this map is %1)</translation>
    </message>
    <message>
        <source>무한(infinite) 맵은 가져올 수 없습니다</source>
        <translation>Infinite maps cannot be imported</translation>
    </message>
    <message>
        <source>타일은 16, 24, 32, 64 픽셀의 정사각형이어야 합니다 (이 맵은 %1x%2)</source>
        <translation>Tiles must be squares of 16, 24, 32 or 64 pixels (this map has %1x%2)</translation>
    </message>
    <message>
        <source>맵이 너무 커서 가져올 수 없습니다</source>
        <translation>The map is too large to import</translation>
    </message>
    <message>
        <source>타일셋이 %1개인 맵은 가져올 수 없습니다 (하나만 됩니다)</source>
        <translation>Maps with %1 tilesets cannot be imported (only one)</translation>
    </message>
    <message>
        <source>타일 층이 %1개인 맵은 가져올 수 없습니다 (하나만 됩니다)</source>
        <translation>Maps with %1 tile layers cannot be imported (only one)</translation>
    </message>
    <message>
        <source>메모리가 부족해 맵을 가져올 수 없습니다</source>
        <translation>Not enough memory to import the map</translation>
    </message>
    <message>
        <source>Zell 정보</source>
        <translation>About Zell</translation>
    </message>
    <message>
        <source>Zell 버전 1.0</source>
        <translation>Zell Version 1.0</translation>
    </message>
    <message>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>맵속성</source>
        <translation>Map Attribute</translation>
    </message>
    <message>
        <source>맵속성값</source>
        <translation>Map attribute</translation>
    </message>
    <message>
        <source>새 지도 작성</source>
        <translation>New Map</translation>
    </message>
    <message>
        <source>타일 크기</source>
        <translation>Tile Size</translation>
    </message>
    <message>
        <source>지도크기 ( 타일 X 가로 / 세로 )</source>
        <translation>Map Size (tiles, width / height)</translation>
    </message>
    <message>
        <source>가로</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>세로</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>타일속성</source>
        <translation>Tile Attributes</translation>
    </message>
    <message>
        <source>글자 속성 색상</source>
        <translation>Text Colour</translation>
    </message>
    <message>
        <source>타일 정렬 갯수</source>
        <translation>Tile Arrangement</translation>
    </message>
    <message>
        <source>속성값</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>Bit 값</source>
        <translation>Bit Values</translation>
    </message>
    <message>
        <source>이전에 저장하지 않은 작업이 있습니다. 복구하시겠습니까?</source>
        <translation>There is unsaved work from before. Recover it?</translation>
    </message>
    <message>
        <source>팔렛트로 읽을 비트맵을 먼저 읽으세요</source>
        <translation>Open a bitmap for the palette first</translation>
    </message>
    <message>
        <source>타일을 모두 지워야 합니다(지울까요?)</source>
        <translation>All tiles must be erased. Erase them?</translation>
    </message>
    <message>
        <source>타일을 모두 지울까요?</source>
        <translation>Erase all tiles?</translation>
    </message>
    <message>
        <source>선택된 타일을 지울까요?(맵에서 사용한 타일 지울시 빡나용)</source>
        <translation>Erase the selected tiles? (erasing tiles the map uses breaks the map)</translation>
    </message>
    <message>
        <source>변경된 내용을 저장하시겠습니까?</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>열 수 없는 화일이라 무시했습니다: </source>
        <translation>Ignored a file that cannot be opened: </translation>
    </message>
    <message>
        <source>채울 타일 블록을 먼저 고르세요</source>
        <translation>Pick a tile block to fill with first</translation>
    </message>
    <message>
        <source>규칙 바꾸기</source>
        <translation>Change Rules</translation>
    </message>
    <message>
        <source>타일 채우기</source>
        <translation>Fill Tiles</translation>
    </message>
    <message>
        <source>잘라내기</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>붙여넣기</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>타일 찍기</source>
        <translation>Stamp Tiles</translation>
    </message>
    <message>
        <source>맵 속성 지정</source>
        <translation>Set Map Attribute</translation>
    </message>
    <message>
        <source>타일 자르기</source>
        <translation>Cut Tiles</translation>
    </message>
    <message>
        <source>타일 전체지우기</source>
        <translation>Erase All Tiles</translation>
    </message>
    <message>
        <source>속성 칠하기</source>
        <translation>Paint Attributes</translation>
    </message>
    <message>
        <source>속성 값 추가</source>
        <translation>Add Attribute Value</translation>
    </message>
    <message>
        <source>속성 값 고치기</source>
        <translation>Edit Attribute Value</translation>
    </message>
    <message>
        <source>속성 값 지우기</source>
        <translation>Remove Attribute Value</translation>
    </message>
    <message>
        <source>맵을 저장하는 중...</source>
        <translation>Saving the map...</translation>
    </message>
    <message>
        <source>맵을 읽는 중...</source>
        <translation>Reading the map...</translation>
    </message>
    <message>
        <source>규칙 적용</source>
        <translation>Apply Rules</translation>
    </message>
    <message>
        <source>비트맵 전체 타일 자르기</source>
        <translation>Cut Whole Bitmap into Tiles</translation>
    </message>
    <message>
        <source>선택 타일지우기</source>
        <translation>Erase Selected Tiles</translation>
    </message>
    <message>
        <source>타일 전체채우기...</source>
        <translation>Filling all with the tile...</translation>
    </message>
    <message>
        <source>타일 전체채우기</source>
        <translation>Fill All with Tile</translation>
    </message>
    <message>
        <source>지우기</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>채우기</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>이동</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>실행 취소: </source>
        <translation>Undo: </translation>
    </message>
    <message>
        <source>실행 취소</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>다시 실행: </source>
        <translation>Redo: </translation>
    </message>
    <message>
        <source>다시 실행</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>정수를 입력하십시오.</source>
        <translation>Enter a whole number.</translation>
    </message>
    <message>
        <source>%1와(과) %2 사이의 정수를 입력하십시오.</source>
        <translation>Enter a whole number between %1 and %2.</translation>
    </message>
    <message>
        <source>0 에서 255 사이의 정수를 입력하십시오.</source>
        <translation>Enter a whole number between 0 and 255.</translation>
    </message>
    <message>
        <source>양의 정수를 입력하십시오.</source>
        <translation>Enter a positive whole number.</translation>
    </message>
    <message>
        <source>파일(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>새 파일(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>맵 열기(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open Map...	Ctrl+O</translation>
    </message>
    <message>
        <source>맵 저장(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save Map	Ctrl+S</translation>
    </message>
    <message>
        <source>종료(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>편집(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>실행 취소(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>다시 실행(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>잘라내기(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>복사(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>붙여넣기(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>제자리에 붙여넣기(&amp;L)	Ctrl+Shift+V</source>
        <translation>Paste in P&amp;lace	Ctrl+Shift+V</translation>
    </message>
    <message>
        <source>삭제(&amp;D)	Del</source>
        <translation>&amp;Delete	Del</translation>
    </message>
    <message>
        <source>모두 선택(&amp;A)	Ctrl+A</source>
        <translation>Select &amp;All	Ctrl+A</translation>
    </message>
    <message>
        <source>선택 해제(&amp;N)	Esc</source>
        <translation>Select &amp;None	Esc</translation>
    </message>
    <message>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>도구 모음(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>편집 도구 모음(&amp;E)</source>
        <translation>&amp;Edit Toolbar</translation>
    </message>
    <message>
        <source>상태 표시줄(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>확대(&amp;I)	Ctrl++</source>
        <translation>Zoom &amp;In	Ctrl++</translation>
    </message>
    <message>
        <source>축소(&amp;O)	Ctrl+-</source>
        <translation>Zoom &amp;Out	Ctrl+-</translation>
    </message>
    <message>
        <source>실제 크기(&amp;A)	Ctrl+0</source>
        <translation>&amp;Actual Size	Ctrl+0</translation>
    </message>
    <message>
        <source>창에 맞추기(&amp;W)</source>
        <translation>Fit to &amp;Window</translation>
    </message>
    <message>
        <source>속성 색 보기(&amp;C)</source>
        <translation>Attribute &amp;Colours</translation>
    </message>
    <message>
        <source>속성 값 창(&amp;V)</source>
        <translation>Attribute &amp;Values Pane</translation>
    </message>
    <message>
        <source>작업 내역 창(&amp;H)</source>
        <translation>&amp;History Pane</translation>
    </message>
    <message>
        <source>개요 창에 맞추기(&amp;M)</source>
        <translation>Fit &amp;Map to Overview</translation>
    </message>
    <message>
        <source>도구(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>스탬프(&amp;B)	B</source>
        <translation>&amp;Stamp	B</translation>
    </message>
    <message>
        <source>지우개(&amp;E)	E</source>
        <translation>&amp;Eraser	E</translation>
    </message>
    <message>
        <source>채우기(&amp;F)	F</source>
        <translation>&amp;Fill	F</translation>
    </message>
    <message>
        <source>사각형 선택(&amp;R)	R</source>
        <translation>&amp;Rectangle Select	R</translation>
    </message>
    <message>
        <source>스포이드(&amp;I)	I</source>
        <translation>Eye&amp;dropper	I</translation>
    </message>
    <message>
        <source>타일 레이어(&amp;1)	Ctrl+1</source>
        <translation>&amp;Tile Layer	Ctrl+1</translation>
    </message>
    <message>
        <source>속성 레이어(&amp;2)	Ctrl+2</source>
        <translation>Attribute &amp;Layer	Ctrl+2</translation>
    </message>
    <message>
        <source>규칙 적용(&amp;A)</source>
        <translation>&amp;Apply Rules</translation>
    </message>
    <message>
        <source>자동 규칙(&amp;O)</source>
        <translation>Aut&amp;o Rules</translation>
    </message>
    <message>
        <source>도움말(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Zell 정보(&amp;A)...</source>
        <translation>&amp;About Zell...</translation>
    </message>
    <message>
        <source>타일팝업메뉴</source>
        <translation>Tile Pop-up Menu</translation>
    </message>
    <message>
        <source>타일  정렬  갯수</source>
        <translation>Tile Arrangement Count</translation>
    </message>
    <message>
        <source>타일  속성  지정</source>
        <translation>Set Tile Attribute</translation>
    </message>
    <message>
        <source>준비</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>제목없음</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>빈 문서 작성 실패.</source>
        <translation>Failed to create an empty document.</translation>
    </message>
    <message>
        <source>새 문서를 작성합니다
새 파일</source>
        <translation>Create a new document
New</translation>
    </message>
    <message>
        <source>맵열기
맵열기</source>
        <translation>Open Map
Open Map</translation>
    </message>
    <message>
        <source>맵저장
맵저장</source>
        <translation>Save Map
Save Map</translation>
    </message>
    <message>
        <source>프로그램 정보와 버전 정보, 저작권 정보를 표시합니다
정보</source>
        <translation>Display program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>실행 취소
실행 취소</source>
        <translation>Undo
Undo</translation>
    </message>
    <message>
        <source>다시 실행
다시 실행</source>
        <translation>Redo
Redo</translation>
    </message>
    <message>
        <source>선택한 칸들을 클립보드로 옮기고 비웁니다
잘라내기</source>
        <translation>Move the selected cells to the clipboard and empty them
Cut</translation>
    </message>
    <message>
        <source>선택한 칸들을 클립보드에 복사합니다
복사</source>
        <translation>Copy the selected cells to the clipboard
Copy</translation>
    </message>
    <message>
        <source>클립보드의 칸들을 찍을 타일 블록으로 만듭니다
붙여넣기</source>
        <translation>Make the clipboard&apos;s cells the tile block to stamp
Paste</translation>
    </message>
    <message>
        <source>클립보드의 칸들을 복사한 자리에 속성과 함께 붙여넣습니다
제자리에 붙여넣기</source>
        <translation>Paste the clipboard&apos;s cells, with their attributes, where they were copied
Paste in Place</translation>
    </message>
    <message>
        <source>선택한 칸들을 비웁니다
삭제</source>
        <translation>Empty the selected cells
Delete</translation>
    </message>
    <message>
        <source>맵의 모든 칸을 선택합니다
모두 선택</source>
        <translation>Select every cell of the map
Select All</translation>
    </message>
    <message>
        <source>선택을 해제합니다
선택 해제</source>
        <translation>Clear the selection
Select None</translation>
    </message>
    <message>
        <source>응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다
종료</source>
        <translation>Quit the application; prompts to save the document
Exit</translation>
    </message>
    <message>
        <source>다음 창으로 전환합니다
다음 창</source>
        <translation>Switch to the next pane
Next Pane</translation>
    </message>
    <message>
        <source>이전 창으로 전환합니다
이전 창</source>
        <translation>Switch back to the previous pane
Previous Pane</translation>
    </message>
    <message>
        <source>도구 모음을 보이거나 감춥니다
도구 모음 설정/해제</source>
        <translation>Show or hide the toolbar
Toggle Toolbar</translation>
    </message>
    <message>
        <source>상태 표시줄을 표시하거나 감춥니다
상태 표시줄 설정/해제</source>
        <translation>Show or hide the status bar
Toggle Status Bar</translation>
    </message>
    <message>
        <source>Bitmap 열기
Bitmap 열기</source>
        <translation>Open Bitmap
Open Bitmap</translation>
    </message>
    <message>
        <source>Bitmap전체타일선택
Bitmap전체타일선택</source>
        <translation>Cut the whole bitmap into tiles
Cut Whole Bitmap into Tiles</translation>
    </message>
    <message>
        <source>타일 정렬
타일정렬</source>
        <translation>Arrange tiles
Arrange Tiles</translation>
    </message>
    <message>
        <source>타일 속성보기
타일 속성보기</source>
        <translation>Show tile attributes
Show Tile Attributes</translation>
    </message>
    <message>
        <source>타일 전체지우기
타일 전체지우기</source>
        <translation>Erase all tiles
Erase All Tiles</translation>
    </message>
    <message>
        <source>선택된타일지우기
선택된타일지우기</source>
        <translation>Erase the selected tiles
Erase Selected Tiles</translation>
    </message>
    <message>
        <source>타일번호로를보여준다
타일번호로를보여준다</source>
        <translation>Show tile numbers
Show Tile Numbers</translation>
    </message>
    <message>
        <source>타일속성을보기
타일속성보기</source>
        <translation>Show tile attributes on the map
Show Tile Attributes</translation>
    </message>
    <message>
        <source>맵속성을보기
맵속성보기</source>
        <translation>Show map attributes
Show Map Attributes</translation>
    </message>
    <message>
        <source>타일전체채우기
타일전체채우기</source>
        <translation>Fill the whole map with the tile
Fill All with Tile</translation>
    </message>
    <message>
        <source>글자색상
글자색상</source>
        <translation>Text colour
Text Colour</translation>
    </message>
    <message>
        <source>스탬프: 고른 타일 블록을 맵에 찍습니다 (블록이 없으면 맵 속성을 지정합니다)
스탬프 (B)</source>
        <translation>Stamp: stamps the chosen tile block on the map (with no block, sets the map attribute)
Stamp (B)</translation>
    </message>
    <message>
        <source>지우개: 지나가는 칸의 타일을 비웁니다
지우개 (E)</source>
        <translation>Eraser: empties the tiles of the cells it passes over
Eraser (E)</translation>
    </message>
    <message>
        <source>채우기: 같은 타일이 이어진 영역을 고른 블록으로 채웁니다 (Shift: 맵 전체)
채우기 (F)</source>
        <translation>Fill: fills an area of connected equal tiles with the chosen block (Shift: whole map)
Fill (F)</translation>
    </message>
    <message>
        <source>사각형 선택: 칸들을 선택하고, 선택 안에서 끌면 옮깁니다
사각형 선택 (R)</source>
        <translation>Rectangle select: selects cells; dragging inside the selection moves them
Rectangle Select (R)</translation>
    </message>
    <message>
        <source>스포이드: 맵의 칸들을 타일 블록으로 집습니다
스포이드 (I)</source>
        <translation>Eyedropper: picks up map cells as a tile block
Eyedropper (I)</translation>
    </message>
    <message>
        <source>편집 도구 모음을 보이거나 감춥니다
편집 도구 모음 설정/해제</source>
        <translation>Show or hide the edit toolbar
Toggle Edit Toolbar</translation>
    </message>
    <message>
        <source>맵을 확대합니다
확대</source>
        <translation>Zoom in on the map
Zoom In</translation>
    </message>
    <message>
        <source>맵을 축소합니다
축소</source>
        <translation>Zoom out of the map
Zoom Out</translation>
    </message>
    <message>
        <source>맵을 실제 크기로 봅니다
실제 크기</source>
        <translation>Show the map at its actual size
Actual Size</translation>
    </message>
    <message>
        <source>맵 전체를 창에 맞춥니다
창에 맞추기</source>
        <translation>Fit the whole map in the window
Fit to Window</translation>
    </message>
    <message>
        <source>도구가 타일을 칠합니다
타일 레이어 (Ctrl+1)</source>
        <translation>Tools paint tiles
Tile Layer (Ctrl+1)</translation>
    </message>
    <message>
        <source>도구가 맵 속성을 현재 값으로 칠합니다
속성 레이어 (Ctrl+2)</source>
        <translation>Tools paint map attributes with the current value
Attribute Layer (Ctrl+2)</translation>
    </message>
    <message>
        <source>속성이 있는 칸을 그 값의 색으로 물들여 보입니다
속성 색 보기</source>
        <translation>Tint cells that have an attribute with that value&apos;s colour
Attribute Colours</translation>
    </message>
    <message>
        <source>자동 타일 규칙을 선택 영역에, 선택이 없으면 맵 전체에 적용합니다
규칙 적용</source>
        <translation>Apply the auto-tile rules to the selection, or to the whole map when nothing is selected
Apply Rules</translation>
    </message>
    <message>
        <source>속성을 칠할 때마다 바뀐 칸 둘레에 자동 타일 규칙을 다시 적용합니다
자동 규칙</source>
        <translation>Re-apply the auto-tile rules around the changed cells whenever attributes are painted
Auto Rules</translation>
    </message>
    <message>
        <source>속성 값 창을 보이거나 감춥니다
속성 값 창 설정/해제</source>
        <translation>Show or hide the attribute values pane
Toggle Attribute Values Pane</translation>
    </message>
    <message>
        <source>작업 내역 창을 보이거나 감춥니다
작업 내역 창 설정/해제</source>
        <translation>Show or hide the history pane
Toggle History Pane</translation>
    </message>
    <message>
        <source>개요 창에 맵 전체를 맞추어 보여 줍니다
개요 창에 맞추기</source>
        <translation>Fit the whole map in the overview pane
Fit Map to Overview</translation>
    </message>
    <message>
        <source>새 속성 값</source>
        <translation>New Attribute Value</translation>
    </message>
    <message>
        <source>속성 값 %1</source>
        <translation>Attribute Value %1</translation>
    </message>
    <message>
        <source>값</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>값(&amp;V):</source>
        <translation>&amp;Value:</translation>
    </message>
    <message>
        <source>이름</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>이름(&amp;N):</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>색</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>속성 색</source>
        <translation>Attribute Colour</translation>
    </message>
    <message>
        <source>색(&amp;C):</source>
        <translation>&amp;Colour:</translation>
    </message>
    <message>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source> (기본)</source>
        <translation> (default)</translation>
    </message>
    <message>
        <source>-32768와(과) 32767 사이의 정수를 입력하십시오.</source>
        <translation>Enter a whole number between -32768 and 32767.</translation>
    </message>
    <message>
        <source>이미 있는 속성 값입니다: </source>
        <translation>This attribute value already exists: </translation>
    </message>
    <message>
        <source>속성 값 목록</source>
        <translation>Attribute value list</translation>
    </message>
    <message>
        <source>칸 수</source>
        <translation>Cells</translation>
    </message>
    <message>
        <source>새 값...</source>
        <translation>New Value...</translation>
    </message>
    <message>
        <source>새 값</source>
        <translation>New value</translation>
    </message>
    <message>
        <source>값 지우기</source>
        <translation>Remove value</translation>
    </message>
    <message>
        <source>원본 비트맵</source>
        <translation>Source bitmap</translation>
    </message>
    <message>
        <source>비트맵 ( BMP )|*.bmp|PNG 그림|*.png|모든 그림|*.bmp;*.png||</source>
        <translation>Bitmap ( BMP )|*.bmp|PNG picture|*.png|All pictures|*.bmp;*.png||</translation>
    </message>
    <message>
        <source>맵 화일|*.Map|Tiled 맵|*.tmx||</source>
        <translation>Map file|*.Map|Tiled map|*.tmx||</translation>
    </message>
    <message>
        <source>&lt;처음 상태&gt;</source>
        <translation>&lt;Initial state&gt;</translation>
    </message>
    <message>
        <source>저장된 상태</source>
        <translation>Saved state</translation>
    </message>
    <message>
        <source>맵</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>화면을 만들수 없습니다</source>
        <translation>Cannot create the screen</translation>
    </message>
    <message>
        <source>%1, %2  타일 %3  속성 %4</source>
        <translation>%1, %2  Tile %3  Attr %4</translation>
    </message>
    <message>
        <source>선택 %1 x %2</source>
        <translation>Selection %1 x %2</translation>
    </message>
    <message>
        <source>전체 맵</source>
        <translation>Whole map</translation>
    </message>
    <message>
        <source>지정한 크기로 타일을 잡을수 없습니다</source>
        <translation>Cannot pick up tiles with the given size</translation>
    </message>
    <message>
        <source>타일 팔레트</source>
        <translation>Tile palette</translation>
    </message>
    <message>
        <source>사용법: zellmap attrs MAP [--json]
       zellmap attrs MAP --set LAYER.csv -o OUT.Map

맵 화일의 칸 속성 층을 CSV로 씁니다: 맵의 한 행이 한 줄, 칸의 값(-32768에서
32767)을 쉼표로 나눕니다.

  --json        JSON 객체 하나로 씁니다: {&quot;width&quot;: 너비, &quot;height&quot;: 높이,
                &quot;values&quot;: [...], &quot;cells&quot;: [[첫 행의 값...], ...]}. values는
                목록에 오르는 값(0, 칸이 쓰는 값, 맵 옆의 MAP.attrs.json에 있는
                값)마다 {&quot;value&quot;: 값, &quot;name&quot;: 이름, &quot;colour&quot;: &quot;#rrggbb&quot;,
                &quot;count&quot;: 그 값을 가진 칸 수}이며 값의 차례입니다. 이름이 없으면
                &quot;&quot;(0은 &quot;없음&quot;), 고른 색이 없으면 값에서 정해지는 기본색입니다.
  --set CSV     CSV의 값을 칸 속성으로 한 맵 사본을 -o 화일에 씁니다. 타일과
                나머지 바이트는 원래 맵 그대로입니다.
  -o, --output  --set으로 쓸 맵 화일

CSV는 맵과 크기가 같아야 합니다(행 수 = 높이, 한 행의 값 수 = 너비). 크기가
다르거나, 숫자가 아니거나, 범위를 벗어난 값이 있으면 몇 행 몇 열인지 알리고
화일을 쓰지 않고 1로 끝납니다. 값 양옆의 빈칸, 화일 처음의 BOM, 줄 끝의 CR,
화일 끝의 빈 줄은 괜찮습니다.
</source>
        <translation>Usage: zellmap attrs MAP [--json]
       zellmap attrs MAP --set LAYER.csv -o OUT.Map

Writes the map file&apos;s cell attribute layer as CSV: one line per map row,
the cell values (-32768 to 32767) separated by commas.

  --json        Write one JSON object: {&quot;width&quot;: width, &quot;height&quot;: height,
                &quot;values&quot;: [...], &quot;cells&quot;: [[first row&apos;s values...], ...]}.
                values has, in value order, one {&quot;value&quot;: value, &quot;name&quot;: name,
                &quot;colour&quot;: &quot;#rrggbb&quot;, &quot;count&quot;: cells with that value} for each
                listed value (0, the values cells use, and the values in
                MAP.attrs.json beside the map). A value with no name has &quot;&quot;
                (0 is &quot;None&quot;); one with no chosen colour has its default colour.
  --set CSV     Write a copy of the map, with the CSV&apos;s values as cell
                attributes, to the -o file. The tiles and all other bytes
                stay as in the original map.
  -o, --output  The map file that --set writes

The CSV must have the map&apos;s size (rows = height, values per row = width).
When the size differs, or a value is not a number or out of range, says
which row and column, writes no file and exits with 1. Blanks around
values, a BOM at the start, CRs at line ends and blank lines at the end of
the file are fine.
</translation>
    </message>
    <message>
        <source>%1
CSV 화일을 열 수 없습니다</source>
        <translation>%1
Cannot open the CSV file</translation>
    </message>
    <message>
        <source> (맵은 %1 x %2칸입니다)</source>
        <translation> (the map has %1 x %2 cells)</translation>
    </message>
    <message>
        <source>%1 %2행 %3열: </source>
        <translation>%1 row %2, column %3: </translation>
    </message>
    <message>
        <source>값이 남습니다</source>
        <translation>too many values</translation>
    </message>
    <message>
        <source>값이 없습니다</source>
        <translation>missing values</translation>
    </message>
    <message>
        <source>-32768에서 32767 사이의 수가 아닙니다: %1</source>
        <translation>not a number from -32768 to 32767: %1</translation>
    </message>
    <message>
        <source>숫자가 아닙니다: &quot;%1&quot;</source>
        <translation>not a number: &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1
맵 화일을 읽을 수 없습니다</source>
        <translation>%1
Cannot read the map file</translation>
    </message>
    <message>
        <source>%1
화일을 만들 수 없습니다</source>
        <translation>%1
Cannot create the file</translation>
    </message>
    <message>
        <source>%1
화일을 쓸 수 없습니다</source>
        <translation>%1
Cannot write the file</translation>
    </message>
    <message>
        <source>맵 화일 하나를 주십시오</source>
        <translation>Give one map file</translation>
    </message>
    <message>
        <source>--set에는 -o로 쓸 맵 화일을 주십시오</source>
        <translation>--set needs the map file to write with -o</translation>
    </message>
    <message>
        <source>-o는 --set과 함께만 씁니다</source>
        <translation>-o is used only with --set</translation>
    </message>
    <message>
        <source>--json과 --set은 함께 쓸 수 없습니다</source>
        <translation>--json and --set cannot be used together</translation>
    </message>
    <message>
        <source>사용법: zellmap cut BITMAP --tile N [--map WxH] -o MAP

편집기에서 새 파일(타일 N x N, 지도 W x H), Bitmap 열기, Bitmap전체타일선택,
맵 저장을 차례로 한 것과 바이트 하나까지 같은 맵 화일을 만듭니다. 모든 칸은
비어 있고(-1) 속성은 0입니다.

  --tile N        타일 크기: 16, 24, 32, 64 (새 지도 작성 대화상자의 크기)
  --map WxH       지도 크기(칸), 기본 20x15
  -o, --output    저장할 맵 화일

그림은 .bmp(8, 16, 24비트)나 .png입니다. PNG는 팔레트 그림과 회색 그림이
8비트, 트루컬러가 24비트가 되고, 투명한 부분은 검은색으로 채워집니다(그러면
그렇다고 알립니다). 실패하면 편집기의 메시지를 표준 오류에 쓰고, 화일을
만들지 않고 1로 끝납니다.
</source>
        <translation>Usage: zellmap cut BITMAP --tile N [--map WxH] -o MAP

Makes the same map file, byte for byte, as New (tiles N x N, map W x H),
Open Bitmap, Cut Whole Bitmap into Tiles and Save Map in the editor, one
after the other. Every cell is empty (-1) with attribute 0.

  --tile N        Tile size: 16, 24, 32 or 64 (the sizes of the New Map dialog)
  --map WxH       Map size in cells, 20x15 by default
  -o, --output    The map file to save

The picture is a .bmp (8, 16 or 24 bits) or a .png. PNG palette and grey
pictures become 8-bit, true colour 24-bit; transparent parts are filled with
black (and a note says so). On failure writes the editor&apos;s message to
standard error, makes no file and exits with 1.
</translation>
    </message>
    <message>
        <source>비트맵 화일 하나를 주십시오</source>
        <translation>Give one bitmap file</translation>
    </message>
    <message>
        <source>--tile N이 필요합니다</source>
        <translation>--tile N is required</translation>
    </message>
    <message>
        <source>-o MAP이 필요합니다</source>
        <translation>-o MAP is required</translation>
    </message>
    <message>
        <source>타일 크기는 16, 24, 32, 64 중 하나여야 합니다</source>
        <translation>The tile size must be 16, 24, 32 or 64</translation>
    </message>
    <message>
        <source>--map은 W x H 꼴의 양의 정수여야 합니다 (예: 20x15)</source>
        <translation>--map must be W x H in positive whole numbers (for example 20x15)</translation>
    </message>
    <message>
        <source>타일로 자르는 중</source>
        <translation>Cutting into tiles</translation>
    </message>
    <message>
        <source>%1: 타일 %2개, 지도 %3 x %4 칸
</source>
        <translation>%1: %2 tiles, map %3 x %4 cells
</translation>
    </message>
    <message>
        <source>사용법: zellmap export MAP --tmx OUT.tmx

맵을 Tiled가 여는 TMX 맵으로 내보냅니다. 모든 타일을 담은 타일셋 그림
OUT-tiles.png(8비트 맵은 그 색 표를 팔레트로 쓴 PNG)를 OUT.tmx 옆에 씁니다.
zellmap import로 다시 가져오면 같은 맵 화일이 됩니다.
  - 타일 층 &quot;tiles&quot; (CSV): 칸의 값은 타일 번호 + 1, 빈 칸은 0
  - 숨긴 객체 층 &quot;map attributes&quot;: 속성이 0이 아닌 칸마다 칸 크기의 사각형
    하나, 정수 속성 attribute에 그 값
  - 타일 속성: 타일마다 정수 속성 attribute
  - 맵 속성 bitcount: 맵의 색 비트 수 (타일이 없는 8비트 맵은 colours에 색 표)

맵을 읽지 못하거나, 맵에 없는 타일을 가리키는 칸(-1보다 작은 값도)이 있어
TMX에 담을 수 없으면 그 까닭을 표준 오류에 쓰고, 화일을 만들지 않고 1로
끝납니다.
</source>
        <translation>Usage: zellmap export MAP --tmx OUT.tmx

Exports the map as a TMX map that Tiled opens. Writes a tileset picture
holding every tile, OUT-tiles.png (for an 8-bit map a PNG with the map&apos;s
colour table as its palette), beside OUT.tmx. Importing it again with
zellmap import gives the same map file.
  - Tile layer &quot;tiles&quot; (CSV): a cell&apos;s value is its tile number + 1, empty is 0
  - Hidden object layer &quot;map attributes&quot;: one cell-sized rectangle for each
    cell whose attribute is not 0, with the value in the integer property
    attribute
  - Tile attributes: an integer property attribute on every tile
  - Map property bitcount: the map&apos;s colour bits (an 8-bit map without
    tiles keeps its colour table in colours)

When the map cannot be read, or a cell points to a tile the map does not
have (also values below -1) so that TMX cannot hold it, writes why to
standard error, makes no file and exits with 1.
</translation>
    </message>
    <message>
        <source>TMX로 내보낼 수 없는 칸이 %1개 있습니다: 첫 칸 (%2, %3)의 값 %4</source>
        <translation>%1 cells cannot be exported to TMX: the first, (%2, %3), has the value %4</translation>
    </message>
    <message>
        <source>
타일이 없는 맵의 칸은 모두 빈 칸(-1)이어야 합니다</source>
        <translation>
In a map without tiles every cell must be empty (-1)</translation>
    </message>
    <message>
        <source>
칸의 값은 타일 번호(0에서 %1)나 빈 칸(-1)이어야 합니다</source>
        <translation>
A cell&apos;s value must be a tile number (0 to %1) or empty (-1)</translation>
    </message>
    <message>
        <source>%1
그림 화일을 만들 수 없습니다</source>
        <translation>%1
Cannot create the picture file</translation>
    </message>
    <message>
        <source>메모리가 부족해 그림 화일을 쓸 수 없습니다</source>
        <translation>Not enough memory to write the picture file</translation>
    </message>
    <message>
        <source>%1
그림 화일을 쓸 수 없습니다</source>
        <translation>%1
Cannot write the picture file</translation>
    </message>
    <message>
        <source>--tmx OUT.tmx가 필요합니다</source>
        <translation>--tmx OUT.tmx is required</translation>
    </message>
    <message>
        <source>TMX로 내보내는 중</source>
        <translation>Exporting to TMX</translation>
    </message>
    <message>
        <source>그림의 크기가 0입니다</source>
        <translation>The picture has a size of 0</translation>
    </message>
    <message>
        <source>PNG에 담기에는 그림이 너무 큽니다</source>
        <translation>The picture is too large for PNG</translation>
    </message>
    <message>
        <source>그림 화일을 쓸 수 없습니다</source>
        <translation>Cannot write the picture file</translation>
    </message>
    <message>
        <source>BMP에 담기에는 그림이 너무 큽니다 (PNG로 쓰십시오)</source>
        <translation>The picture is too large for BMP (write a PNG)</translation>
    </message>
    <message>
        <source>PNG에 담을 수 없는 그림 크기입니다</source>
        <translation>PNG cannot hold a picture of this size</translation>
    </message>
    <message>
        <source>사용법: zellmap import MAP.tmx -o OUT.Map

Tiled의 TMX 맵을 맵 화일로 가져옵니다. export가 쓴 TMX를 가져오면 처음의
맵 화일과 바이트 하나까지 같은 화일이 됩니다.
  - 직교(orthogonal) 맵, 타일은 16, 24, 32, 64 픽셀의 정사각형
  - 타일셋 하나(TMX 안이나 .tsx 화일), 그 그림은 PNG나 BMP
  - 첫 타일 층의 칸: gid - 1 (0은 빈 칸), CSV나 base64(압축 없음, zlib,
    gzip, zstd)
  - 객체 층 &quot;map attributes&quot;의 정수 속성 attribute: 칸 속성
  - 타일의 정수 속성 attribute: 타일 속성
타일셋이나 타일 층이 여럿이거나, 뒤집은 타일이 있거나, 다른 모양의 맵이면
무엇이 맞지 않는지 표준 오류에 쓰고, 화일을 만들지 않고 1로 끝납니다.

  -o, --output    저장할 맵 화일
</source>
        <translation>Usage: zellmap import MAP.tmx -o OUT.Map

Imports a Tiled TMX map as a map file. Importing a TMX that export wrote
gives a file identical, byte for byte, to the original map file.
  - Orthogonal maps; tiles are squares of 16, 24, 32 or 64 pixels
  - One tileset (inside the TMX or a .tsx file) whose picture is a PNG or BMP
  - Cells of the first tile layer: gid - 1 (0 is empty), CSV or base64
    (uncompressed, zlib, gzip, zstd)
  - Integer property attribute of the object layer &quot;map attributes&quot;: cell attributes
  - Integer property attribute of tiles: tile attributes
With several tilesets or tile layers, flipped tiles, or a map of another
shape, writes what does not fit to standard error, makes no file and exits
with 1.

  -o, --output    The map file to save
</translation>
    </message>
    <message>
        <source>TMX 화일 하나를 주십시오</source>
        <translation>Give one TMX file</translation>
    </message>
    <message>
        <source>TMX 맵을 가져오는 중</source>
        <translation>Importing the TMX map</translation>
    </message>
    <message>
        <source>사용법: zellmap info MAP [--json] [--cells]

맵 화일을 편집기가 읽는 그대로 읽어 검사하고, 머리말(맵 크기, 타일 크기,
색 비트 수, 타일 수), 올바른 화일인지, 그리고 타일을 쓴 칸, 빈 칸, 없는
타일을 가리키는 칸(범위 밖)의 수를 보여 줍니다.

  --json    기계가 읽는 JSON 객체 하나로 출력합니다. 키: sound, map_width,
            map_height, tile_width, tile_height, bits_per_pixel, tile_count,
            tile_attributes, tile_sha256 (타일마다 화일에 저장된 픽셀 행의
            SHA-256), tile_fingerprints (타일마다 그림의 지문: 편집기의
            클립보드와 스탬프가 타일을 가리키는 32자리 16진수), cells_used, cells_empty, cells_out_of_range,
            cells_with_attribute; 올바르지 않은 화일이면 error와 problem
  --cells   두 칸 층도 출력합니다 (JSON에서는 cells와 attributes: 행 순서의
            숫자 목록)

올바른 화일이면 0으로, 아니면 편집기의 메시지를 표준 오류에 쓰고 1로 끝납니다.
</source>
        <translation>Usage: zellmap info MAP [--json] [--cells]

Reads a map file exactly as the editor does and checks it; shows the header
(map size, tile size, colour bits, tile count), whether the file is intact,
and the number of cells with a tile, empty cells, and cells pointing to a
missing tile (out of range).

  --json    Print one JSON object for machines. Keys: sound, map_width,
            map_height, tile_width, tile_height, bits_per_pixel, tile_count,
            tile_attributes, tile_sha256 (per tile, of the pixel rows stored in
            the file), tile_fingerprints (per tile, the picture&apos;s fingerprint:
            32 hex digits by which the editor&apos;s clipboard and stamps refer to
            tiles), cells_used, cells_empty, cells_out_of_range,
            cells_with_attribute; for a damaged file, error and problem
  --cells   Also print both cell layers (in JSON, cells and attributes: lists
            of numbers in row order)

Exits with 0 for an intact file; otherwise writes the editor&apos;s message to
standard error and exits with 1.
</translation>
    </message>
    <message>
        <source>머리말(22바이트)보다 짧은 화일입니다</source>
        <translation>The file is shorter than the header (22 bytes)</translation>
    </message>
    <message>
        <source>&quot;QZTF1.0&quot;으로 시작하지 않습니다</source>
        <translation>Does not start with &quot;QZTF1.0&quot;</translation>
    </message>
    <message>
        <source>맵 크기가 음수입니다</source>
        <translation>The map size is negative</translation>
    </message>
    <message>
        <source>타일 크기가 0입니다</source>
        <translation>The tile size is 0</translation>
    </message>
    <message>
        <source>타일 수가 32767보다 큽니다</source>
        <translation>The tile count is over 32767</translation>
    </message>
    <message>
        <source>색 비트 수가 8, 16, 24가 아닙니다</source>
        <translation>The colour bits are not 8, 16 or 24</translation>
    </message>
    <message>
        <source>머리말의 크기로는 화일 길이를 셀 수 없습니다</source>
        <translation>The header&apos;s sizes give no file length</translation>
    </message>
    <message>
        <source>머리말대로라면 %1바이트여야 하지만 %2바이트입니다</source>
        <translation>By its header the file should be %1 bytes, but it is %2 bytes</translation>
    </message>
    <message>
        <source>맵 크기: %1 x %2 칸
타일 크기: %3 x %4 픽셀
색 비트 수: %5
타일 수: %6
</source>
        <translation>Map size: %1 x %2 cells
Tile size: %3 x %4 pixels
Colour bits: %5
Tiles: %6
</translation>
    </message>
    <message>
        <source>올바르지 않음</source>
        <translation>not valid</translation>
    </message>
    <message>
        <source>열 수 없음</source>
        <translation>cannot be opened</translation>
    </message>
    <message>
        <source>화일: %1
상태: %2%3
</source>
        <translation>File: %1
State: %2%3
</translation>
    </message>
    <message>
        <source>화일: %1
상태: 정상
</source>
        <translation>File: %1
State: OK
</translation>
    </message>
    <message>
        <source>칸: 사용 %1, 빈 칸 %2, 범위 밖 %3
속성 있는 칸: %4
</source>
        <translation>Cells: %1 used, %2 empty, %3 out of range
Cells with an attribute: %4
</translation>
    </message>
    <message>
        <source>타일 칸</source>
        <translation>Tile cells</translation>
    </message>
    <message>
        <source>맵 속성</source>
        <translation>Map attributes</translation>
    </message>
    <message>
        <source>사용법: zellmap &lt;명령&gt; [옵션...]

Pellin Map Tool의 맵 화일(.Map)을 명령줄에서 다룹니다.

명령:
  info MAP       맵 화일을 검사하고 머리말과 칸 수를 보여 줍니다
  cut BITMAP     비트맵 전체를 타일로 잘라 새 맵 화일로 저장합니다
  render MAP     맵 그림을 PNG 또는 BMP로 그립니다
  export MAP     Tiled에서 여는 TMX 맵으로 내보냅니다
  import TMX     Tiled의 TMX 맵을 맵 화일로 가져옵니다
  attrs MAP      칸 속성 층을 CSV나 JSON으로 쓰고, CSV에서 바꿔 넣습니다
  stamps         편집기의 스탬프 모음과, 맵에서 쓸 수 있는지를 보여 줍니다
  thumbnail MAP  맵 전체를 줄인 미리 보기 그림(PNG)을 만듭니다
  rules MAP      자동 타일 규칙으로 맵을 검사하거나 규칙을 적용한 사본을 씁니다

&apos;zellmap &lt;명령&gt; --help&apos;로 명령마다의 사용법을 봅니다.
성공하면 0, 작업이 실패하면 1, 명령줄이 틀리면 2로 끝납니다.
</source>
        <translation>Usage: zellmap &lt;command&gt; [options...]

Works with Pellin Map Tool map files (.Map) on the command line.

Commands:
  info MAP       Check a map file and show its header and cell counts
  cut BITMAP     Cut a whole bitmap into tiles and save a new map file
  render MAP     Draw the map&apos;s picture as PNG or BMP
  export MAP     Export as a TMX map that Tiled opens
  import TMX     Import a Tiled TMX map as a map file
  attrs MAP      Write the cell attribute layer as CSV or JSON, or replace it from CSV
  stamps         Show the editor&apos;s stamp collection and whether a map can use it
  thumbnail MAP  Make a small preview picture (PNG) of the whole map
  rules MAP      Check a map with its auto-tile rules, or write a copy with them applied

&apos;zellmap &lt;command&gt; --help&apos; shows each command&apos;s usage.
Exits with 0 on success, 1 when the work fails, 2 when the command line is wrong.
</translation>
    </message>
    <message>
        <source>zellmap: 알 수 없는 명령입니다: %1

%2</source>
        <translation>zellmap: unknown command: %1

%2</translation>
    </message>
    <message>
        <source>맵을 읽는 중</source>
        <translation>Reading the map</translation>
    </message>
    <message>
        <source>사용법: zellmap render MAP -o IMAGE [--scale 1|2] [--overlay KIND]
                       [--text-color RRGGBB] [--no-grid]

맵 보기가 그리는 그대로 맵 그림을 만듭니다: 타일은 1:1로, 빈 칸과 없는
타일을 가리키는 칸은 회색 점선 테두리의 흰 칸으로. 그림의 종류는 IMAGE의
확장자(.png 또는 .bmp)로 정합니다. 큰 맵도 띠 단위로 그려 쓰므로 맵 전체
그림을 메모리에 두지 않습니다.

  -o, --output        쓸 그림 화일 (.png, .bmp)
  --scale 1|2         1: 맵 크기 그대로(기본), 2: 전체 맵 창의 절반 크기
                      ((픽셀 / 10) x 5, 겹치는 원본 픽셀의 AND)
  --overlay KIND      칸 왼쪽 위에 맵 보기처럼 글자를 씁니다 (--scale 1에서만):
                      numbers (타일 번호), tile-attributes (타일 속성),
                      map-attributes (맵 속성); 값이 없는 칸은 X
  --text-color RRGGBB 글자 색 (16진수, 기본 000000 검정)
  --no-grid           빈 칸을 점선 없이 흰색으로 둡니다

맵을 읽지 못하면 편집기의 메시지를 표준 오류에 쓰고 1로 끝납니다. 너무 큰
맵은 &quot;화면을 만들수 없습니다&quot;로 끝납니다.
</source>
        <translation>Usage: zellmap render MAP -o IMAGE [--scale 1|2] [--overlay KIND]
                       [--text-color RRGGBB] [--no-grid]

Makes the map&apos;s picture exactly as the map view draws it: tiles at 1:1,
empty cells and cells pointing to a missing tile as white cells with a grey
dotted border. IMAGE&apos;s extension (.png or .bmp) decides the picture&apos;s type.
Large maps are drawn and written in bands, so the whole picture is never
held in memory.

  -o, --output        The picture file to write (.png, .bmp)
  --scale 1|2         1: the map&apos;s own size (default), 2: half the size of the
                      whole-map pane ((pixels / 10) x 5, AND of the source
                      pixels that overlap)
  --overlay KIND      Print text at each cell&apos;s top left as the map view does
                      (only with --scale 1): numbers (tile numbers),
                      tile-attributes (tile attributes), map-attributes (map
                      attributes); cells without a value get X
  --text-color RRGGBB Text colour (hex, default 000000, black)
  --no-grid           Leave empty cells white, without the dotted border

When the map cannot be read, writes the editor&apos;s message to standard error
and exits with 1. A map that is too large ends with &quot;Cannot create the
screen&quot;.
</translation>
    </message>
    <message>
        <source>-o IMAGE가 필요합니다</source>
        <translation>-o IMAGE is required</translation>
    </message>
    <message>
        <source>그림 화일의 확장자는 .png 또는 .bmp여야 합니다</source>
        <translation>The picture file&apos;s extension must be .png or .bmp</translation>
    </message>
    <message>
        <source>--scale은 1 또는 2입니다</source>
        <translation>--scale is 1 or 2</translation>
    </message>
    <message>
        <source>--overlay는 numbers, tile-attributes, map-attributes 중 하나입니다</source>
        <translation>--overlay is one of numbers, tile-attributes, map-attributes</translation>
    </message>
    <message>
        <source>--overlay는 --scale 1에서만 쓸 수 있습니다</source>
        <translation>--overlay can be used only with --scale 1</translation>
    </message>
    <message>
        <source>--text-color는 RRGGBB 꼴의 16진수입니다</source>
        <translation>--text-color is a hex number of the form RRGGBB</translation>
    </message>
    <message>
        <source>그림을 그리는 중</source>
        <translation>Drawing the picture</translation>
    </message>
    <message>
        <source>사용법: zellmap rules MAP --check [--rules FILE] [--rect X,Y,W,H]
       zellmap rules MAP --apply [--rules FILE] [--rect X,Y,W,H] -o OUT.Map
       zellmap rules MAP --json [--rules FILE]

맵의 자동 타일 규칙(맵 옆의 MAP.rules.json, 또는 --rules로 준 화일)을 다룹니다.

  --check       규칙이 지금과 다른 타일을 줄 칸의 수와 처음 칸 열 개를
                씁니다. 그런 칸이 있으면 1로 끝납니다.
  --apply       규칙을 적용한 맵 사본을 -o 화일에 씁니다. 편집기에서
                &quot;규칙 적용&quot;을 하고 저장한 것과 같은 바이트이며, 규칙 화일도
                사본 옆(OUT.Map.rules.json)에 씁니다.
  --rect        맵 전체 대신 X,Y에서 W x H 칸에만 적용하거나 검사합니다
  --json        규칙 모음을 화일 형식 그대로 씁니다
  --rules FILE  맵 옆의 화일 대신 읽을 규칙 화일
  -o, --output  --apply로 쓸 맵 화일
</source>
        <translation>Usage: zellmap rules MAP --check [--rules FILE] [--rect X,Y,W,H]
       zellmap rules MAP --apply [--rules FILE] [--rect X,Y,W,H] -o OUT.Map
       zellmap rules MAP --json [--rules FILE]

Works with the map&apos;s auto-tile rules (MAP.rules.json beside the map, or the
file given with --rules).

  --check       Write how many cells the rules would give a different tile,
                and the first ten of them. Exits with 1 when there are any.
  --apply       Write a copy of the map with the rules applied to the -o file:
                the same bytes as Apply Rules and Save in the editor. Also
                writes the rules file beside the copy (OUT.Map.rules.json).
  --rect        Apply or check only W x H cells from X,Y instead of the whole map
  --json        Write the rule set in its file format
  --rules FILE  The rules file to read instead of the one beside the map
  -o, --output  The map file that --apply writes
</translation>
    </message>
    <message>
        <source>--check, --apply, --json 가운데 하나를 주십시오</source>
        <translation>Give one of --check, --apply, --json</translation>
    </message>
    <message>
        <source>--apply에는 -o로 쓸 맵 화일을 주십시오</source>
        <translation>--apply needs the map file to write with -o</translation>
    </message>
    <message>
        <source>--rect는 X,Y,W,H 꼴이어야 합니다: %1</source>
        <translation>--rect must be of the form X,Y,W,H: %1</translation>
    </message>
    <message>
        <source>%1
자동 타일 규칙 화일이 없습니다</source>
        <translation>%1
There is no auto-tile rules file</translation>
    </message>
    <message>
        <source>%1
자동 타일 규칙 화일이 손상되었습니다</source>
        <translation>%1
The auto-tile rules file is damaged</translation>
    </message>
    <message>
        <source>규칙 %1: 타일 모음에 없는 타일을 써서 건너뜁니다
</source>
        <translation>Rule %1: uses a tile not in the tile set; skipped
</translation>
    </message>
    <message>
        <source>규칙과 다른 칸: %1
</source>
        <translation>Cells that differ from the rules: %1
</translation>
    </message>
    <message>
        <source>사용법: zellmap stamps [--map MAP] [--file STAMPS]

편집기의 스탬프 모음을 한 줄에 스탬프 하나씩 보여 줍니다: 이름, 크기(칸),
변형 수, 숫자 키 자리. 스탬프는 타일을 그림으로 가리키므로 어느 맵에서나 씁니다.

  --map MAP      그 맵의 타일 세트로 스탬프마다 쓸 수 있는지(&quot;사용 가능&quot;),
                 아니면 없는 타일 수(&quot;타일 N개 없음&quot;)를 덧붙입니다
  --file STAMPS  스탬프 모음 화일 (기본: $XDG_DATA_HOME/pellin-map-tool/stamps.json,
                 또는 ~/.local/share/pellin-map-tool/stamps.json)

손상된 스탬프 모음 화일은 읽지 않고 그대로 두며 1로 끝납니다.
</source>
        <translation>Usage: zellmap stamps [--map MAP] [--file STAMPS]

Shows the editor&apos;s stamp collection, one stamp per line: name, size (cells),
number of variations, number key slot. Stamps refer to tiles by their
pictures, so they work in any map.

  --map MAP      Add whether each stamp can be used with that map&apos;s tile set
                 (&quot;usable&quot;), or else how many tiles are missing (&quot;N tiles missing&quot;)
  --file STAMPS  The stamp collection file (default: $XDG_DATA_HOME/pellin-map-tool/stamps.json,
                 or ~/.local/share/pellin-map-tool/stamps.json)

A damaged stamp collection file is left unread and untouched, and zellmap
exits with 1.
</translation>
    </message>
    <message>
        <source>인수가 너무 많습니다</source>
        <translation>Too many arguments</translation>
    </message>
    <message>
        <source>스탬프 모음 화일이 손상되었습니다: %1</source>
        <translation>The stamp collection file is damaged: %1</translation>
    </message>
    <message>
        <source>	변형 %1개</source>
        <translation>	%1 variations</translation>
    </message>
    <message>
        <source>	자리 %1</source>
        <translation>	slot %1</translation>
    </message>
    <message>
        <source>	사용 가능</source>
        <translation>	usable</translation>
    </message>
    <message>
        <source>	타일 %1개 없음</source>
        <translation>	%1 tiles missing</translation>
    </message>
    <message>
        <source>사용법: zellmap thumbnail MAP IMAGE [--size N]

맵 전체를 N x N 픽셀 안에 들도록 줄인 PNG 그림을 만듭니다 (가로세로 비율은
그대로, 맵이 더 작으면 제 크기로). 화일 관리자의 미리 보기가 이 명령을
씁니다. 줄인 그림을 바로 그리므로 큰 맵도 빠르고 메모리를 적게 씁니다.
IMAGE의 이름과 관계없이 PNG로 씁니다.

  -s, --size N  그림의 가장 긴 변 (1-4096, 기본 256)

맵을 읽지 못하면 편집기의 메시지를 표준 오류에 쓰고 그림을 만들지 않고
1로 끝납니다.
</source>
        <translation>Usage: zellmap thumbnail MAP IMAGE [--size N]

Makes a PNG picture of the whole map, shrunk to fit in N x N pixels (keeping
the aspect ratio; a smaller map keeps its own size). File managers&apos; previews
use this command. The shrunk picture is drawn directly, so large maps are
quick and need little memory. Writes a PNG whatever IMAGE&apos;s name.

  -s, --size N  The picture&apos;s longest side (1-4096, default 256)

When the map cannot be read, writes the editor&apos;s message to standard error,
makes no picture and exits with 1.
</translation>
    </message>
    <message>
        <source>맵 화일과 그림 화일을 주십시오</source>
        <translation>Give a map file and a picture file</translation>
    </message>
    <message>
        <source>--size는 1에서 4096까지의 정수입니다</source>
        <translation>--size is a whole number from 1 to 4096</translation>
    </message>
    <message>
        <source>zellmap %1: %2
&apos;zellmap %3 --help&apos;로 사용법을 보십시오.
</source>
        <translation>zellmap %1: %2
See &apos;zellmap %3 --help&apos; for usage.
</translation>
    </message>
    <message>
        <source>알 수 없는 옵션입니다: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>%1 옵션은 값을 받지 않습니다</source>
        <translation>The %1 option takes no value</translation>
    </message>
    <message>
        <source>%1 옵션에 값이 없습니다</source>
        <translation>The %1 option has no value</translation>
    </message>
    <message>
        <source>스탬프 모음</source>
        <translation>Stamps</translation>
    </message>
    <message>
        <source>자동 타일 규칙</source>
        <translation>Auto-Tile Rules</translation>
    </message>
    <message>
        <source>규칙 확인</source>
        <translation>Check Rules</translation>
    </message>
    <message>
        <source>스탬프 모음 창</source>
        <translation>Stamps Pane</translation>
    </message>
    <message>
        <source>자동 타일 규칙 창(&amp;U)</source>
        <translation>A&amp;uto-Tile Rules Pane</translation>
    </message>
    <message>
        <source>규칙 확인(&amp;K)</source>
        <translation>Chec&amp;k Rules</translation>
    </message>
    <message>
        <source>연필(&amp;P)	P</source>
        <translation>&amp;Pencil	P</translation>
    </message>
    <message>
        <source>도형(&amp;U)	U</source>
        <translation>S&amp;hapes	U</translation>
    </message>
    <message>
        <source>무작위 칠하기(&amp;M)	D</source>
        <translation>Rando&amp;m Paint	D</translation>
    </message>
    <message>
        <source>연필: 끄는 동안 지나가는 칸마다 고른 블록을 칠합니다 (Shift+클릭: 마지막 칸부터 직선)
연필 (P)</source>
        <translation>Pencil: paints the picked block on every cell the pointer passes while dragging (Shift+click: a straight line from the last cell)
Pencil (P)</translation>
    </message>
    <message>
        <source>무작위 칠하기: 칠하는 칸마다 블록의 타일 하나를 무작위로 고릅니다
무작위 칠하기 (D)</source>
        <translation>Random paint: every painted cell gets one tile of the block picked at random
Random Paint (D)</translation>
    </message>
    <message>
        <source>도형: 모서리에서 모서리로 끌어 사각형이나 타원을 그립니다 (Shift: 정사각형/원, Ctrl: 가운데에서, U: 다음 모양)
도형 (U)</source>
        <translation>Shapes: drag from corner to corner to draw a rectangle or an ellipse (Shift: square/circle, Ctrl: from the centre, U: next shape)
Shapes (U)</translation>
    </message>
    <message>
        <source>도형 도구로 사각형을 그립니다
사각형</source>
        <translation>Draws rectangles with the shape tool
Rectangle</translation>
    </message>
    <message>
        <source>도형 도구로 채운 사각형을 그립니다
채운 사각형</source>
        <translation>Draws filled rectangles with the shape tool
Filled Rectangle</translation>
    </message>
    <message>
        <source>도형 도구로 타원을 그립니다
타원</source>
        <translation>Draws ellipses with the shape tool
Ellipse</translation>
    </message>
    <message>
        <source>도형 도구로 채운 타원을 그립니다
채운 타원</source>
        <translation>Draws filled ellipses with the shape tool
Filled Ellipse</translation>
    </message>
    <message>
        <source>스탬프 모음 창을 보이거나 감춥니다
스탬프 모음 창 설정/해제</source>
        <translation>Shows or hides the stamps window
Toggle Stamps Pane</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 1번 자리에 넣습니다
1번 자리에 넣기 (Ctrl+Alt+1)</source>
        <translation>Stores the current brush in stamp slot 1
Store in Slot 1 (Ctrl+Alt+1)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 2번 자리에 넣습니다
2번 자리에 넣기 (Ctrl+Alt+2)</source>
        <translation>Stores the current brush in stamp slot 2
Store in Slot 2 (Ctrl+Alt+2)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 3번 자리에 넣습니다
3번 자리에 넣기 (Ctrl+Alt+3)</source>
        <translation>Stores the current brush in stamp slot 3
Store in Slot 3 (Ctrl+Alt+3)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 4번 자리에 넣습니다
4번 자리에 넣기 (Ctrl+Alt+4)</source>
        <translation>Stores the current brush in stamp slot 4
Store in Slot 4 (Ctrl+Alt+4)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 5번 자리에 넣습니다
5번 자리에 넣기 (Ctrl+Alt+5)</source>
        <translation>Stores the current brush in stamp slot 5
Store in Slot 5 (Ctrl+Alt+5)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 6번 자리에 넣습니다
6번 자리에 넣기 (Ctrl+Alt+6)</source>
        <translation>Stores the current brush in stamp slot 6
Store in Slot 6 (Ctrl+Alt+6)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 7번 자리에 넣습니다
7번 자리에 넣기 (Ctrl+Alt+7)</source>
        <translation>Stores the current brush in stamp slot 7
Store in Slot 7 (Ctrl+Alt+7)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 8번 자리에 넣습니다
8번 자리에 넣기 (Ctrl+Alt+8)</source>
        <translation>Stores the current brush in stamp slot 8
Store in Slot 8 (Ctrl+Alt+8)</translation>
    </message>
    <message>
        <source>지금의 브러시를 스탬프 모음의 9번 자리에 넣습니다
9번 자리에 넣기 (Ctrl+Alt+9)</source>
        <translation>Stores the current brush in stamp slot 9
Store in Slot 9 (Ctrl+Alt+9)</translation>
    </message>
    <message>
        <source>스탬프 모음의 1번 자리의 스탬프를 브러시로 씁니다
1번 자리 불러오기 (Alt+1)</source>
        <translation>Uses the stamp in slot 1 as the brush
Recall Slot 1 (Alt+1)</translation>
    </message>
    <message>
        <source>스탬프 모음의 2번 자리의 스탬프를 브러시로 씁니다
2번 자리 불러오기 (Alt+2)</source>
        <translation>Uses the stamp in slot 2 as the brush
Recall Slot 2 (Alt+2)</translation>
    </message>
    <message>
        <source>스탬프 모음의 3번 자리의 스탬프를 브러시로 씁니다
3번 자리 불러오기 (Alt+3)</source>
        <translation>Uses the stamp in slot 3 as the brush
Recall Slot 3 (Alt+3)</translation>
    </message>
    <message>
        <source>스탬프 모음의 4번 자리의 스탬프를 브러시로 씁니다
4번 자리 불러오기 (Alt+4)</source>
        <translation>Uses the stamp in slot 4 as the brush
Recall Slot 4 (Alt+4)</translation>
    </message>
    <message>
        <source>스탬프 모음의 5번 자리의 스탬프를 브러시로 씁니다
5번 자리 불러오기 (Alt+5)</source>
        <translation>Uses the stamp in slot 5 as the brush
Recall Slot 5 (Alt+5)</translation>
    </message>
    <message>
        <source>스탬프 모음의 6번 자리의 스탬프를 브러시로 씁니다
6번 자리 불러오기 (Alt+6)</source>
        <translation>Uses the stamp in slot 6 as the brush
Recall Slot 6 (Alt+6)</translation>
    </message>
    <message>
        <source>스탬프 모음의 7번 자리의 스탬프를 브러시로 씁니다
7번 자리 불러오기 (Alt+7)</source>
        <translation>Uses the stamp in slot 7 as the brush
Recall Slot 7 (Alt+7)</translation>
    </message>
    <message>
        <source>스탬프 모음의 8번 자리의 스탬프를 브러시로 씁니다
8번 자리 불러오기 (Alt+8)</source>
        <translation>Uses the stamp in slot 8 as the brush
Recall Slot 8 (Alt+8)</translation>
    </message>
    <message>
        <source>스탬프 모음의 9번 자리의 스탬프를 브러시로 씁니다
9번 자리 불러오기 (Alt+9)</source>
        <translation>Uses the stamp in slot 9 as the brush
Recall Slot 9 (Alt+9)</translation>
    </message>
    <message>
        <source>자동 타일 규칙 창을 보이거나 감춥니다
자동 타일 규칙 창 설정/해제</source>
        <translation>Shows or hides the auto-tile rules window
Toggle Auto-Tile Rules Pane</translation>
    </message>
    <message>
        <source>규칙이 지금과 다른 타일을 줄 칸을 맵에 표시합니다
규칙 확인</source>
        <translation>Marks the cells where the rules would give a different tile
Check Rules</translation>
    </message>
    <message>
        <source>규칙과 다른 칸 %1개</source>
        <translation>%1 cells differ from the rules</translation>
    </message>
    <message>
        <source>연필</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>연필 %1, %2</source>
        <translation>Pencil %1, %2</translation>
    </message>
    <message>
        <source>켜짐</source>
        <translation>on</translation>
    </message>
    <message>
        <source>꺼짐</source>
        <translation>off</translation>
    </message>
    <message>
        <source>규칙 목록</source>
        <translation>Rule list</translation>
    </message>
    <message>
        <source>추가</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>규칙 추가</source>
        <translation>Add rule</translation>
    </message>
    <message>
        <source>복제</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>규칙 복제</source>
        <translation>Duplicate rule</translation>
    </message>
    <message>
        <source>규칙 삭제</source>
        <translation>Delete rule</translation>
    </message>
    <message>
        <source>위로</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>아래로</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>그룹 추가</source>
        <translation>Add Group</translation>
    </message>
    <message>
        <source>다시 섞기</source>
        <translation>Reshuffle</translation>
    </message>
    <message>
        <source>무작위 선택을 새로 뽑습니다</source>
        <translation>Draws the random choices anew</translation>
    </message>
    <message>
        <source>맵 밖</source>
        <translation>Outside</translation>
    </message>
    <message>
        <source>맵 밖의 칸이 가진 것으로 보는 속성 값</source>
        <translation>The attribute value that cells outside the map are taken to have</translation>
    </message>
    <message>
        <source>규칙 편집</source>
        <translation>Edit Rule</translation>
    </message>
    <message>
        <source>규칙 설정</source>
        <translation>Rule settings</translation>
    </message>
    <message>
        <source>패턴 크기</source>
        <translation>Pattern size</translation>
    </message>
    <message>
        <source>패턴</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>출력</source>
        <translation>Outputs</translation>
    </message>
    <message>
        <source>무게</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>출력 추가</source>
        <translation>Add Output</translation>
    </message>
    <message>
        <source>팔레트에서 고른 타일이나 브러시를 출력으로 더합니다</source>
        <translation>Adds the tiles picked in the palette, or the brush, as an output</translation>
    </message>
    <message>
        <source>출력 삭제</source>
        <translation>Delete Output</translation>
    </message>
    <message>
        <source>확률</source>
        <translation>Chance</translation>
    </message>
    <message>
        <source>여기서 멈춤</source>
        <translation>Stop here</translation>
    </message>
    <message>
        <source>그룹 %1, %2</source>
        <translation>Group %1, %2</translation>
    </message>
    <message>
        <source>, 타일 없음</source>
        <translation>, tiles missing</translation>
    </message>
    <message>
        <source>아무 값</source>
        <translation>any value</translation>
    </message>
    <message>
        <source>패턴 %1, %2: %3</source>
        <translation>Pattern %1, %2: %3</translation>
    </message>
    <message>
        <source>가운데 칸: %1</source>
        <translation>Centre cell: %1</translation>
    </message>
    <message>
        <source>출력 %1: %2 x %3, 무게 %4</source>
        <translation>Output %1: %2 x %3, weight %4</translation>
    </message>
    <message>
        <source>출력 %1 무게</source>
        <translation>Output %1 weight</translation>
    </message>
    <message>
        <source>새 규칙</source>
        <translation>New rule</translation>
    </message>
    <message>
        <source>새 그룹</source>
        <translation>New group</translation>
    </message>
    <message>
        <source>출력 타일이 타일 세트에 없어 이 규칙은 건너뜁니다</source>
        <translation>The output tiles are not in the tile set, so this rule is skipped</translation>
    </message>
    <message>
        <source>도형</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>도형 %1 x %2</source>
        <translation>Shape %1 x %2</translation>
    </message>
    <message>
        <source>이 타일 세트에 없는 타일 %1개</source>
        <translation>%1 tiles not in this tile set</translation>
    </message>
    <message>
        <source>변형 %1개</source>
        <translation>%1 variations</translation>
    </message>
    <message>
        <source>스탬프 목록</source>
        <translation>Stamp list</translation>
    </message>
    <message>
        <source>변형 추가</source>
        <translation>Add Variation</translation>
    </message>
    <message>
        <source>지금의 브러시를 새 스탬프로 넣습니다</source>
        <translation>Stores the current brush as a new stamp</translation>
    </message>
    <message>
        <source>고른 스탬프를 지웁니다</source>
        <translation>Removes the selected stamp</translation>
    </message>
    <message>
        <source>지금의 브러시를 고른 스탬프의 변형으로 넣습니다</source>
        <translation>Adds the current brush as a variation of the selected stamp</translation>
    </message>
    <message>
        <source>Ctrl+Alt+1~9: 브러시를 그 번호에 넣기
Alt+1~9: 그 번호의 스탬프 쓰기</source>
        <translation>Ctrl+Alt+1-9: store the brush under that number
Alt+1-9: use the stamp under that number</translation>
    </message>
    <message>
        <source>스탬프 모음 단축키</source>
        <translation>Stamp keys</translation>
    </message>
    <message>
        <source>스탬프 모음을 저장하지 못했습니다: %1</source>
        <translation>Could not save the stamps: %1</translation>
    </message>
    <message>
        <source>메모리가 모자라 이 작업을 하지 못했습니다</source>
        <translation>There was not enough memory for this operation</translation>
    </message>
    <message>
        <source>오래된 작업 내역을 지웠습니다 (메모리 한도)</source>
        <translation>Older history steps were cleared (memory limit)</translation>
    </message>
    <message>
        <source>&lt;오래된 내역 지움&gt;</source>
        <translation>&lt;Older steps cleared&gt;</translation>
    </message>
</context>
</TS>
